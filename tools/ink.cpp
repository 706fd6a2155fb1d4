#include "tools/ink.h"
#include <algorithm>
#include <cmath>

namespace {

// The 4 x 4 ordered dither: the sixteenths at which each place turns to the second colour.
constexpr int kThresholds[4][4] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

} // namespace

PatternKind Pattern::kind() const {
    if (index == 0) return PatternKind::Solid;
    if (index <= kDitherLevels) return PatternKind::Dither;
    if (index == kDitherLevels + 1) return PatternKind::HorizontalLines;
    return index == kDitherLevels + 2 ? PatternKind::VerticalLines : PatternKind::Gradient;
}

std::string Pattern::name() const {
    switch (kind()) {
    case PatternKind::Solid:
        return "Solid";
    case PatternKind::Dither:
        return "Dither " + std::to_string(level()) + "/16";
    case PatternKind::HorizontalLines:
        return "Horizontal Lines";
    case PatternKind::VerticalLines:
        return "Vertical Lines";
    case PatternKind::Gradient:
        return "Gradient";
    }
    return {};
}

Pattern Pattern::stepped(int step) const {
    return {((index + step) % kPatterns + kPatterns) % kPatterns};
}

// Masking with 3 keeps the pattern going the same way left of and above the picture.
bool dithered(PixelPos at, int level) { return kThresholds[at.row & 3][at.column & 3] < level; }

std::optional<std::uint8_t> Ink::at(PixelPos at, std::uint8_t color) const {
    bool second = false;
    switch (pattern.kind()) {
    case PatternKind::Solid:
        return color;
    case PatternKind::Dither:
        second = dithered(at, pattern.level());
        break;
    case PatternKind::HorizontalLines:
        second = (at.row & 1) != 0;
        break;
    case PatternKind::VerticalLines:
        second = (at.column & 1) != 0;
        break;
    case PatternKind::Gradient:
        // Each place turns half way through its sixteenth, so every level shows for as long
        // as the run allows and none is skipped.
        if (!run) return color;
        second = kThresholds[at.row & 3][at.column & 3] + 0.5 < 16 * run->at(at);
        break;
    }
    if (!second) return color;
    if (transparent) return std::nullopt;
    return second_color;
}

GradientRun GradientRun::over(const std::vector<PixelPos>& pixels, PixelPos from, PixelPos to) {
    GradientRun run;
    const double across = to.column - from.column, down = to.row - from.row;
    if (const double length = std::hypot(across, down); length > 0)
        run.across = across / length, run.down = down / length;
    double least = 0, most = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const double along = pixels[i].column * run.across + pixels[i].row * run.down;
        least = i == 0 ? along : std::min(least, along);
        most = i == 0 ? along : std::max(most, along);
    }
    run.start = least;
    run.length = std::max(most - least, 1e-9);
    return run;
}

double GradientRun::at(PixelPos at) const {
    return std::clamp((at.column * across + at.row * down - start) / length, 0.0, 1.0);
}
