#include "conversion/convert.h"
#include "conversion/diffusion.h"
#include "conversion/pair_search.h"
#include "conversion/search_dither.h"
#include <gtest/gtest.h>
#include <random>

namespace {

// Smooth gradients, a bright disc and a band of noise, which no cell's colours show exactly.
RgbImage busy_image() {
    std::mt19937 random(5);
    RgbImage image{320, 200, {}};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const bool disc = (x - 210) * (x - 210) + (y - 80) * (y - 80) < 2500;
            const bool noise = y >= 150 && y < 170;
            const auto red = std::uint8_t(noise ? random() : disc ? 230 : x * 255 / 320);
            const auto green = std::uint8_t(noise ? random() : disc ? 190 - y / 2 : y * 255 / 200);
            const auto blue = std::uint8_t(noise ? random() : 200 - x / 3);
            image.rgb.insert(image.rgb.end(), {red, green, blue});
        }
    return image;
}

// One pass of the search (no time to spare for a second) from Floyd-Steinberg's picture, in
// every mode: the C64 shows every cell and row exactly, and seen from a distance the picture
// comes no farther from the image than Floyd-Steinberg's, and in fact closer.
TEST(SearchDither, KeepsEveryModesLimitsAndComesCloserThanFloydSteinbergFromAfar) {
    const RgbImage image = busy_image();
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    for (const Mode& mode : all_modes()) {
        SCOPED_TRACE(mode.name);
        const ConversionOptions options{.palette = PaletteId::Colodore,
                                        .dither = Dither::FloydSteinberg,
                                        .format = mode.format};
        const Conversion start = convert_image(image, options);
        const PictureTarget target = fit_to_picture(image, nullptr, mode.format);
        SearchSettings one_pass;
        one_pass.cpu_seconds = 0;
        const StoredPicture searched =
            search_dither(target, colors, mode, start.background, start.picture, one_pass);
        EXPECT_EQ(mode.areas_over_limit(mode.grid_of(searched.data()), start.background), 0);
        const double before =
            conversion_quality(target, target.grid_of(start.picture), colors).blurred;
        const double after = conversion_quality(target, target.grid_of(searched), colors).blurred;
        EXPECT_LT(after, before * 0.95);
        // The hidden columns keep Floyd-Steinberg's pixels.
        for (int y = 0; y < kPictureRows; ++y)
            for (int x = 0; x < hidden_columns(mode); ++x)
                ASSERT_EQ(searched[std::size_t(y * target.columns + x)],
                          start.picture[std::size_t(y * target.columns + x)]);
    }
}

// A picture that already shows its target exactly stays as it is, but for pixels near a cell
// over its limit, which the search leaves as it found it even where the target differs.
TEST(SearchDither, LeavesAnExactPictureAndACellOverItsLimitAsTheyAre) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    constexpr std::uint8_t kFlat = 6;
    for (const Mode& mode : all_modes()) {
        SCOPED_TRACE(mode.name);
        const int columns = mode.shape.width;
        PictureTarget target{
            .pixels = std::vector<Lab>(std::size_t(columns * kPictureRows), colors[kFlat]),
            .width = columns,
            .height = kPictureRows,
            .columns = columns};
        StoredPicture start{};
        std::fill(start.begin(), start.begin() + columns * kPictureRows, kFlat);
        const PixelArea crowded = mode.cell_at({columns / 2, 96});
        for (int y = crowded.top; y <= crowded.bottom(); ++y)
            for (int x = crowded.left; x <= crowded.right(); ++x)
                start[std::size_t(y * columns + x)] = std::uint8_t(1 + (x + y) % 8);
        const int over = mode.areas_over_limit(mode.grid_of(start.data()), 0);
        ASSERT_GT(over, 0);
        const StoredPicture searched = search_dither(target, colors, mode, 0, start);
        EXPECT_EQ(mode.areas_over_limit(mode.grid_of(searched.data()), 0), over);
        for (int y = 0; y < kPictureRows; ++y)
            for (int x = 0; x < columns; ++x) {
                const bool near = std::abs(y - 100) < 16 && std::abs(x - columns / 2) < 24;
                const std::size_t i = std::size_t(y * columns + x);
                if (crowded.contains({x, y}) || !near) {
                    ASSERT_EQ(searched[i], start[i]) << x << "," << y;
                }
            }
    }
}

} // namespace
