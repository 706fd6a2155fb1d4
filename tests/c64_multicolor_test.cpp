#include "c64/lab.h"
#include "c64/multicolor.h"
#include "c64/palettes.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

PictureBytes round_trip(const PictureBytes& picture) {
    PictureBytes decoded;
    decoded.fill(0xEE);
    decode_multicolor(encode_multicolor(picture.data()).image, decoded.data());
    return decoded;
}

} // namespace

TEST(Colors, GreenAndPurpleChangePlacesAndNothingElseDoes) {
    EXPECT_EQ(c64_color_number(4), 5); // Vexlor's green
    EXPECT_EQ(c64_color_number(5), 4); // Vexlor's purple
    EXPECT_EQ(vexlor_color_index(4), 5);
    EXPECT_EQ(vexlor_color_index(5), 4);
    for (std::uint8_t i : {0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        EXPECT_EQ(c64_color_number(i), i);
        EXPECT_EQ(vexlor_color_index(i), i);
    }
}

TEST(Colors, KnownPalettesAreKeptInVexlorsOrder) {
    EXPECT_EQ(palette_colors(PaletteId::Pepto)[4], RGBColor(0x58, 0x8D, 0x43));    // green
    EXPECT_EQ(palette_colors(PaletteId::Pepto)[5], RGBColor(0x6F, 0x3D, 0x86));    // purple
    EXPECT_EQ(palette_colors(PaletteId::Colodore)[4], RGBColor(0x56, 0xAC, 0x4D)); // green
    EXPECT_EQ(palette_colors(PaletteId::ViceColodore)[14], RGBColor(0x68, 0x64, 0xFF));
    EXPECT_EQ(palette_colors(PaletteId::Vexlor), palette);
}

TEST(Colors, LabValuesMatchTheReferenceFigures) {
    const auto expect_lab = [](unsigned r, unsigned g, unsigned b, Lab want) {
        const Lab got = lab_from_rgb(r, g, b);
        EXPECT_NEAR(got.L, want.L, 0.05f) << r << "," << g << "," << b;
        EXPECT_NEAR(got.a, want.a, 0.05f) << r << "," << g << "," << b;
        EXPECT_NEAR(got.b, want.b, 0.05f) << r << "," << g << "," << b;
    };
    expect_lab(255, 255, 255, {100, 0, 0});
    expect_lab(0, 0, 0, {0, 0, 0});
    expect_lab(255, 0, 0, {53.24f, 80.09f, 67.20f});
    expect_lab(0, 0, 255, {32.30f, 79.19f, -107.86f});
    expect_lab(119, 119, 119, {50.03f, 0, 0});
    EXPECT_NEAR(delta_e(lab_from_rgb(255, 0, 0), lab_from_rgb(0, 0, 255)), 176.33f, 0.1f);
}

TEST(Encoder, EveryPictureThatObeysTheLimitComesBackExactly) {
    std::mt19937 random(12);
    for (int round = 0; round < 40; ++round) {
        const PictureBytes picture = random_encodable_picture(random, std::uint8_t(round % 16));
        EXPECT_EQ(encode_multicolor(picture.data()).inexact_cells, 0);
        ASSERT_EQ(round_trip(picture), picture) << "round " << round;
    }
}

TEST(Encoder, WritesC64ColourNumbersIntoScreenAndColourRam) {
    PictureBytes picture{};
    // Cell 0: green most, then purple, then red, on black.
    for (int pixel = 0; pixel < 12; ++pixel) picture[cell_pixel_offset(0, pixel)] = 4;
    for (int pixel = 12; pixel < 20; ++pixel) picture[cell_pixel_offset(0, pixel)] = 5;
    for (int pixel = 20; pixel < 24; ++pixel) picture[cell_pixel_offset(0, pixel)] = 2;
    const MulticolorImage image = encode_multicolor(picture.data()).image;
    EXPECT_EQ(image.background, 0);
    EXPECT_EQ(image.screen[0], 0x54); // green is C64 5, purple C64 4
    EXPECT_EQ(image.color[0] & 0x0F, 2);
    EXPECT_EQ(image.bitmap[0], 0b01010101); // top row: green, the first pair
    EXPECT_EQ(image.bitmap[3], 0b10101010); // row 3: purple
    EXPECT_EQ(image.bitmap[5], 0b11111111); // row 5: red
    EXPECT_EQ(image.bitmap[7], 0);          // background
}

TEST(Encoder, BackgroundIsTheColourThatLetsMostCellsEncodeExactly) {
    PictureBytes picture{};
    EXPECT_EQ(best_background(picture.data()), 0);
    // Cells of blue and three others each, no black: only blue makes them all exact.
    for (int cell = 0; cell < 20; ++cell)
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] =
                std::uint8_t(pixel % 4 == 0 ? 6 : pixel % 4 + (cell < 10 ? 6 : 9));
    EXPECT_EQ(best_background(picture.data()), 6);
    const Encoding encoding = encode_multicolor(picture.data());
    EXPECT_EQ(encoding.image.background, 6);
    EXPECT_EQ(encoding.inexact_cells, 0);
    // As good as another colour: black is kept.
    PictureBytes even{};
    fill_cell(even, 0, 9);
    EXPECT_EQ(best_background(even.data()), 0);
    fill_cell(even, 1, 9);
    fill_cell(even, 2, 7);
    EXPECT_EQ(best_background(even.data()), 0);
}

TEST(Encoder, ACellWithTooManyColoursKeepsTheMostUsedAndShowsTheRestAsTheNearestKept) {
    PictureBytes picture{};
    const int cell = 41;
    // White 10 pixels, red 8, blue 6, light grey 4 (nearest kept: white), black 4.
    const std::uint8_t colors[] = {1, 2, 6, 15, 0};
    const int counts[] = {10, 8, 6, 4, 4};
    int pixel = 0;
    for (int k = 0; k < 5; ++k)
        for (int n = 0; n < counts[k]; ++n) picture[cell_pixel_offset(cell, pixel++)] = colors[k];
    const Encoding encoding = encode_multicolor(picture.data());
    EXPECT_EQ(encoding.inexact_cells, 1);
    const PictureBytes decoded = round_trip(picture);
    for (pixel = 0; pixel < kCellPixels; ++pixel) {
        const std::uint8_t was = picture[cell_pixel_offset(cell, pixel)];
        EXPECT_EQ(decoded[cell_pixel_offset(cell, pixel)], was == 15 ? 1 : was) << pixel;
    }
}

TEST(Clashes, MarkExactlyTheCellsAnExportCannotShow) {
    std::mt19937 random(5);
    PictureBytes picture = random_encodable_picture(random, 0);
    EXPECT_TRUE(find_clashes(picture.data()).cells.none());
    // Five colours in cell 7 and in the last cell.
    for (int cell : {7, kCells - 1})
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] = std::uint8_t(pixel % 5 + 1);
    const Clashes clashes = find_clashes(picture.data());
    EXPECT_EQ(clashes.background, 0);
    EXPECT_EQ(clashes.cells.count(), 2u);
    EXPECT_TRUE(clashes.cells[7]);
    EXPECT_TRUE(clashes.cells[kCells - 1]);
    EXPECT_EQ(int(clashes.cells.count()), encode_multicolor(picture.data()).inexact_cells);
}

TEST(Clashes, DependOnTheBackground) {
    PictureBytes picture{};
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        picture[cell_pixel_offset(3, pixel)] = std::uint8_t(pixel % 4 + 1);
    EXPECT_TRUE(inexact_cells(picture.data(), 0)[3]);
    EXPECT_FALSE(inexact_cells(picture.data(), 2)[3]);
    EXPECT_EQ(inexact_cells(picture.data(), 2).count(), 0u);
}
