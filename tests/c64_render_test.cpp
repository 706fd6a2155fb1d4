#include "c64/render.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

std::uint32_t rgb_at(const RgbImage& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return std::uint32_t(p[0] << 16 | p[1] << 8 | p[2]);
}

} // namespace

TEST(Render, PicturePixelsBecomeScreenPixelsInTheChosenColours) {
    PictureBytes picture{};
    picture[0] = 4;               // green
    picture[1] = 2;               // red
    picture[199 * 160 + 159] = 1; // white, bottom right
    const RgbImage wide = render_picture(picture.data(), {});
    ASSERT_EQ(wide.width, 320);
    ASSERT_EQ(wide.height, 200);
    ASSERT_EQ(wide.rgb.size(), 320u * 200 * 3);
    EXPECT_EQ(rgb_at(wide, 0, 0), 0x00CC00u); // Vexlor's green
    EXPECT_EQ(rgb_at(wide, 1, 0), 0x00CC00u);
    EXPECT_EQ(rgb_at(wide, 2, 0), 0xCC0000u);
    EXPECT_EQ(rgb_at(wide, 319, 199), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(wide, 318, 199), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(wide, 317, 199), 0x000000u);

    const RgbImage narrow = render_picture(
        picture.data(), {.double_width = false, .scale = 3, .palette = PaletteId::Pepto});
    ASSERT_EQ(narrow.width, 480);
    ASSERT_EQ(narrow.height, 600);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(rgb_at(narrow, x, y), 0x588D43u); // Pepto green
    EXPECT_EQ(rgb_at(narrow, 3, 2), 0x68372Bu);
    EXPECT_EQ(rgb_at(narrow, 479, 599), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(narrow, 476, 599), 0x000000u);
}

TEST(Render, ScaleStaysWithinOneToFour) {
    PictureBytes picture{};
    EXPECT_EQ(render_picture(picture.data(), {.scale = 9}).width, 320 * 4);
    EXPECT_EQ(render_picture(picture.data(), {.scale = 0}).height, 200);
}
