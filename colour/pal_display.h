#pragma once
#include "colour/palettes.h"
#include "geometry/geometry.h"
#include <array>
#include <cstdint>
#include <vector>

// What a PAL television makes of a C64's picture. The signal carries brightness (luma, Y) at
// nearly full sharpness and colour (the colour differences U and V) at about a quarter of it,
// and the set's delay line averages each line's colour with the line above. Two colours of
// equal luma on alternating lines therefore show as one colour without stripes.
//
// Each colour's Y, U and V are taken from its palette's RGB by the broadcast (BT.601)
// equations. Pepto's and Colodore's palettes were made from luma levels and hue angles through
// those same equations, so this gives back each model's own Y, U and V (to the RGB values'
// rounding), and it treats any other palette, the editor's own included, the same way. The
// signal is mixed as it travels, gamma-encoded, as a television mixes it.

// The set shows colour at this share of the signal's saturation. VICE's PAL emulation shows
// flat areas at 0.78 of the palette's chroma; compared with it over sample pictures and every
// pair of colours on alternating lines, 0.85 comes closest (0.8 and 1 are further off).
constexpr float kPalChromaGain = 0.85f;

struct Yuv {
    float y = 0, u = 0, v = 0;
};
Yuv yuv_from_color(TColor color);
TColor color_from_yuv(const Yuv& yuv);

class PalDisplay {
public:
    explicit PalDisplay(const Palette& colors);

    // How far a screen pixel's colour spreads along its line, each way, in screen pixels; it
    // also reaches the same stretch of the line below.
    static constexpr int kReach = 2;

    // Screen pixels `from` .. `to` - 1 of picture row `row`, as the television shows them, into
    // `out`. A picture pixel is `pixel_aspect` screen pixels wide; the first row has no line
    // above and mixes with itself. Positions past the picture's edge repeat the edge pixel.
    void show_row(ConstPixelGrid picture, int pixel_aspect, int row, int from, int to,
                  TColor* out) const;
    // The whole picture, (width x pixel_aspect) x height screen pixels, row by row.
    std::vector<TColor> show_picture(ConstPixelGrid picture, int pixel_aspect) const;

    // The colour an area of `first` and `second` on alternating lines shows from a distance.
    TColor blend(std::uint8_t first, std::uint8_t second) const;
    // The luma of a colour, 0..1.
    float luma(std::uint8_t color) const { return yuv_[color & 0x0F].y; }

private:
    // The signal of a line's screen pixels from - kReach .. to + kReach - 1.
    void signal(const std::uint8_t* line, int width, int pixel_aspect, int from, int to,
                Yuv* out) const;

    std::array<Yuv, 16> yuv_;
};

// Two colours on alternating picture rows, `first` on the even ones.
struct PalBlend {
    std::uint8_t first = 0, second = 0;
    bool operator==(const PalBlend&) const = default;
    std::uint8_t color_on_row(int row) const { return row % 2 ? second : first; }
};

// The pairs of different colours whose lumas lie within kBlendLumaLimit of each other, so that
// their alternating lines show no stripes: in the order of the first colour's, then the second
// colour's index.
//
// The lumas of the C64's colours come in levels (Pepto's model has nine): colours on one level
// differ in a palette's RGB by at most 0.005 (rounding), while the nearest two levels lie 0.027
// apart (Colodore's yellow and light green; 0.034 in Pepto's). A step of 2% of the black to
// white range between neighbouring lines, further softened by the set, is below what the eye
// sees in so fine a pattern; a step of 3% shows as faint lines on a large screen.
constexpr float kBlendLumaLimit = 0.02f;
std::vector<PalBlend> pal_blends(const PalDisplay& display);

// The picture rows and screen columns whose PAL colours change when the pixels of `changed`
// do: the chroma spreads kReach screen pixels along the line and down one line.
PixelArea pal_reach(const PixelArea& changed, const PictureShape& shape);

// Picture pixels changed since their PAL display was last drawn, gathered so that what they
// reach is drawn once, each row once, however many of them there are.
class PalChanges {
public:
    void add(PixelPos at);
    bool empty() const { return top_ > bottom_; }
    // Forgets the changes: the whole picture has been drawn since.
    void clear();
    // The stretch of each picture row whose PAL colours the changes alter, top down; the
    // changes are forgotten. The answer lasts until the next call.
    const std::vector<PixelArea>& take_reach(const PictureShape& shape);

private:
    std::vector<PixelArea> changed_; // of each row, the smallest stretch holding its changes
    std::vector<PixelArea> reach_;
    int top_ = 0, bottom_ = -1;
};
