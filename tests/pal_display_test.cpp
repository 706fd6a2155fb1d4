#include "colour/pal_display.h"
#include "picture/picture.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The colour model, worked out here from the broadcast equations rather than taken from the
// code under test: luma from red, green and blue; the colour differences B - Y and R - Y.
struct Signal {
    double y, b_y, r_y;
};
Signal signal_of(TColor color) {
    const double r = RedOf(color) / 255.0, g = GreenOf(color) / 255.0, b = BlueOf(color) / 255.0;
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    return {y, b - y, r - y};
}
// A colour of luma `y` with the colour differences of `a` and `b` averaged, as the delay line
// averages a line's with the line above, at the set's saturation.
TColor with_mixed_chroma(double y, TColor a, TColor b) {
    const Signal one = signal_of(a), other = signal_of(b);
    const double gain = kPalChromaGain;
    const double r = y + gain * (one.r_y + other.r_y) / 2,
                 bl = y + gain * (one.b_y + other.b_y) / 2;
    const double g = (y - 0.299 * r - 0.114 * bl) / 0.587;
    const auto byte = [](double v) { return unsigned(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return RGBColor(byte(r), byte(g), byte(bl));
}

void expect_near(TColor got, TColor want, const std::string& what) {
    EXPECT_NEAR(int(RedOf(got)), int(RedOf(want)), 1) << what << " red";
    EXPECT_NEAR(int(GreenOf(got)), int(GreenOf(want)), 1) << what << " green";
    EXPECT_NEAR(int(BlueOf(got)), int(BlueOf(want)), 1) << what << " blue";
}

// Vexlor's colour index of a C64 colour.
std::uint8_t c64(std::uint8_t number) { return vexlor_color_index(number); }

} // namespace

// Areas of two colours on alternating lines: away from the edges each line keeps its own luma
// and shows the colour differences of both; the first line, with none above it, shows its own
// colour (at the set's saturation); and the pair's blend is the mean of the two lines.
TEST(PalDisplay, LinePairsMixTheirColourAndKeepTheirLuma) {
    const struct {
        PaletteId palette;
        std::uint8_t first, second; // C64 colour numbers
    } pairs[] = {
        {PaletteId::Pepto, 2, 8},    // red and orange
        {PaletteId::Pepto, 6, 9},    // blue and brown
        {PaletteId::Pepto, 4, 10},   // purple and light red
        {PaletteId::Colodore, 5, 3}, // green and cyan
        {PaletteId::Colodore, 0, 1}, // black and white: no colour to mix
        {PaletteId::Vexlor, 14, 14}, // one colour: no mix
        {PaletteId::ViceColodore, 7, 6},
    };
    for (const auto& [palette, first, second] : pairs) {
        const std::string what = std::string(palette_name(palette)) + " " + c64_color_name(first) +
                                 "/" + c64_color_name(second);
        const Palette& colors = palette_colors(palette);
        const PalDisplay display(colors);
        for (const int pixel_aspect : {1, 2}) {
            std::vector<std::uint8_t> pixels(24 * 6);
            for (int row = 0; row < 6; ++row)
                std::fill_n(pixels.begin() + row * 24, 24, c64(row % 2 ? second : first));
            const std::vector<TColor> shown =
                display.show_picture({pixels.data(), 24, 6}, pixel_aspect);
            const int width = 24 * pixel_aspect, middle = width / 2;
            const TColor a = colors[c64(first)], b = colors[c64(second)];
            expect_near(shown[std::size_t(middle)], with_mixed_chroma(signal_of(a).y, a, a),
                        what + ", first line");
            expect_near(shown[std::size_t(2 * width + middle)],
                        with_mixed_chroma(signal_of(a).y, a, b),
                        what + ", a line of the first colour");
            expect_near(shown[std::size_t(3 * width + middle)],
                        with_mixed_chroma(signal_of(b).y, b, a),
                        what + ", a line of the second colour");
            // Along the line nothing changes, up to the picture's edges.
            EXPECT_EQ(shown[std::size_t(2 * width)], shown[std::size_t(3 * width - 1)]) << what;
        }
        const TColor a = colors[c64(first)], b = colors[c64(second)];
        expect_near(display.blend(c64(first), c64(second)),
                    with_mixed_chroma((signal_of(a).y + signal_of(b).y) / 2, a, b),
                    what + ", blend");
    }
}

// A changed pixel changes what the television shows only within its reach, whatever the pixel
// aspect and wherever the pixel lies: the views redraw that much and no more.
TEST(PalDisplay, AChangeShowsOnlyWithinItsReach) {
    const PalDisplay display(palette_colors(PaletteId::Pepto));
    const struct {
        int pixel_aspect;
        PixelPos at;
    } changes[] = {{1, {0, 0}}, {1, {7, 5}}, {2, {8, 3}}, {2, {15, 9}}, {2, {0, 9}}, {4, {6, 4}}};
    for (const auto& [pixel_aspect, at] : changes) {
        const PictureShape shape{16, 10, {4, 8}, pixel_aspect};
        std::vector<std::uint8_t> pixels(16 * 10);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 7 % 13);
        const std::vector<TColor> before =
            display.show_picture({pixels.data(), 16, 10}, pixel_aspect);
        pixels[std::size_t(at.row * 16 + at.column)] = 15;
        const std::vector<TColor> after =
            display.show_picture({pixels.data(), 16, 10}, pixel_aspect);
        const PixelArea reach = pal_reach({at.column, at.row, 1, 1}, shape);
        bool changed_at_pixel = false;
        for (int row = 0; row < 10; ++row)
            for (int x = 0; x < 16 * pixel_aspect; ++x) {
                const std::size_t i = std::size_t(row * 16 * pixel_aspect + x);
                if (before[i] == after[i]) continue;
                EXPECT_TRUE(reach.contains({x / pixel_aspect, row}))
                    << "aspect " << pixel_aspect << ", change at " << at.column << "," << at.row
                    << " shows at " << x << "," << row;
                changed_at_pixel |= x / pixel_aspect == at.column && row == at.row;
            }
        EXPECT_TRUE(changed_at_pixel) << "aspect " << pixel_aspect;
    }
}
