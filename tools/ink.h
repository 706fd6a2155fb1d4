#pragma once
#include "geometry/geometry.h"
#include <cstdint>
#include <optional>
#include <string>

#include <vector>

// The patterns, in the order N steps through them: solid, the levels of a 4 x 4 ordered dither
// from the colour painted (0/16) to the second colour (16/16), lines of the two, and a gradient
// through the levels along a drag.
enum class PatternKind : std::uint8_t { Solid, Dither, HorizontalLines, VerticalLines, Gradient };
constexpr int kDitherLevels = 17;
constexpr int kPatterns = 1 + kDitherLevels + 3;

struct Pattern {
    int index = 0; // 0 to kPatterns - 1, in the order above
    PatternKind kind() const;
    int level() const { return index - 1; } // of a dither: the sixteenths of the second colour
    // "Solid", "Dither 8/16", "Horizontal Lines", "Vertical Lines", "Gradient".
    std::string name() const;
    // The pattern `step` places on, round the end.
    Pattern stepped(int step) const;
    bool operator==(const Pattern&) const = default;
};

// Whether an ordered dither of `level` sixteenths puts the second colour at `at`. The pattern
// is anchored to the picture's pixels, so strokes side by side meet without a seam; half way
// it is a checkerboard.
bool dithered(PixelPos at, int level);

// A gradient's run: from the colour painted where the pixels reach least far along the
// direction, to the second colour where they reach furthest.
struct GradientRun {
    double across = 0, down = 1; // the direction, one pixel long
    double start = 0, length = 1;
    // Along the drag from `from` to `to` (top to bottom for no drag), over `pixels`.
    static GradientRun over(const std::vector<PixelPos>& pixels, PixelPos from, PixelPos to);
    // How far along the run `at` lies, 0 to 1.
    double at(PixelPos at) const;
};

// What a pixel painted in one colour takes: the pattern decides, by the pixel's place, between
// that colour and the second colour, or with `transparent` keeps what is there instead of the
// second colour.
struct Ink {
    Pattern pattern;
    std::uint8_t second_color = 0;
    bool transparent = false;
    // A gradient, for the shape or area being painted; without one a gradient paints solid.
    std::optional<GradientRun> run;
    // The colour of a pixel at `at` painted in `color`; none when it keeps what is there.
    std::optional<std::uint8_t> at(PixelPos at, std::uint8_t color) const;
};
