#include "c64/multicolor.h"
#include "colour/color_difference.h"
#include "colour/lab.h"
#include "colour/palettes.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

PictureBytes round_trip(const PictureBytes& picture) {
    PictureBytes decoded;
    decoded.fill(0xEE);
    decode_multicolor(encode_multicolor(multicolor_grid(picture)).image, multicolor_grid(decoded));
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

// The published tables, row by row in the C64's numbering.
TEST(Colors, KnownPalettesAreThePublishedTablesInVexlorsOrder) {
    const struct {
        PaletteId id;
        std::array<std::uint32_t, 16> by_c64_number;
    } tables[] = {
        {PaletteId::Pepto,
         {0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43, 0x352879, 0xB8C76F, 0x6F4F25,
          0x433900, 0x9A6759, 0x444444, 0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595}},
        {PaletteId::Colodore,
         {0x000000, 0xFFFFFF, 0x813338, 0x75CEC8, 0x8E3C97, 0x56AC4D, 0x2E2C9B, 0xEDF171, 0x8E5029,
          0x553800, 0xC46C71, 0x4A4A4A, 0x7B7B7B, 0xA9FF9F, 0x706DEB, 0xB2B2B2}},
        {PaletteId::ViceColodore,
         {0x000000, 0xFFFFFF, 0x96282E, 0x5BD6CE, 0x9F2DAD, 0x41B936, 0x2724C4, 0xEFF347, 0x9F4815,
          0x5E3500, 0xDA5F66, 0x474747, 0x787878, 0x91FF84, 0x6864FF, 0xAEAEAE}},
    };
    for (const auto& table : tables)
        for (std::uint8_t c64 = 0; c64 < 16; ++c64) {
            const std::uint32_t rgb = table.by_c64_number[c64];
            EXPECT_EQ(palette_colors(table.id)[vexlor_color_index(c64)],
                      RGBColor(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF))
                << palette_name(table.id) << ", C64 colour " << int(c64);
        }
    EXPECT_EQ(
        palette_colors(PaletteId::Vexlor),
        (Palette{0x000000, 0xFFFFFF, 0x0000CC, 0xFFFF00, 0x00CC00, 0xFF00FF, 0xC00000, 0x11E0FF,
                 0x0070D8, 0x004078, 0x8A8AF0, 0x555555, 0x999999, 0x88E880, 0xFF8800, 0xCCCCCC}));
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

// Pairs with their published CIEDE2000 differences, among them the mean-hue cases near
// opposite hues and blue pairs where the rotation term counts; both ways round.
TEST(ColorDifference, MatchesPublishedCiede2000Pairs) {
    struct Pair {
        Lab x, y;
        float expected;
    };
    const Pair pairs[] = {
        {{50, 2.6772f, -79.7751f}, {50, 0, -82.7485f}, 2.0425f},
        {{50, 2.8361f, -74.0200f}, {50, 0, -82.7485f}, 3.4412f},
        {{50, 0, 0}, {50, -1, 2}, 2.3669f},
        {{50, 2.49f, -0.001f}, {50, -2.49f, 0.0009f}, 7.1792f},
        {{50, 2.49f, -0.001f}, {50, -2.49f, 0.0011f}, 7.2195f},
        {{50, 2.5f, 0}, {73, 25, -18}, 27.1492f},
        {{50, 2.5f, 0}, {56, -27, -3}, 31.9030f},
        {{60.2574f, -34.0099f, 36.2677f}, {60.4626f, -34.1751f, 39.4387f}, 1.2644f},
        {{2.0776f, 0.0795f, -1.1350f}, {0.9033f, -0.0636f, -0.5514f}, 0.9082f},
        {{90.8027f, -2.0831f, 1.4410f}, {91.1528f, -1.6435f, 0.0447f}, 1.4441f},
    };
    for (const Pair& pair : pairs) {
        EXPECT_NEAR(color_difference(pair.x, pair.y), pair.expected, 0.002f) << pair.expected;
        EXPECT_NEAR(color_difference(pair.y, pair.x), pair.expected, 0.002f) << pair.expected;
    }
}

TEST(Encoder, EveryPictureThatObeysTheLimitComesBackExactly) {
    std::mt19937 random(12);
    for (int round = 0; round < 40; ++round) {
        const PictureBytes picture = random_encodable_picture(random, std::uint8_t(round % 16));
        EXPECT_EQ(encode_multicolor(multicolor_grid(picture)).inexact_cells, 0);
        ASSERT_EQ(round_trip(picture), picture) << "round " << round;
    }
}

TEST(Encoder, WritesC64ColourNumbersIntoScreenAndColourRam) {
    PictureBytes picture{};
    // Cell 0: green most, then purple, then red, on black.
    for (int pixel = 0; pixel < 12; ++pixel) picture[cell_pixel_offset(0, pixel)] = 4;
    for (int pixel = 12; pixel < 20; ++pixel) picture[cell_pixel_offset(0, pixel)] = 5;
    for (int pixel = 20; pixel < 24; ++pixel) picture[cell_pixel_offset(0, pixel)] = 2;
    const MulticolorImage image = encode_multicolor(multicolor_grid(picture)).image;
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
    EXPECT_EQ(best_background(multicolor_grid(picture)), 0);
    // Cells of blue and three others each, no black: only blue makes them all exact.
    for (int cell = 0; cell < 20; ++cell)
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] =
                std::uint8_t(pixel % 4 == 0 ? 6 : pixel % 4 + (cell < 10 ? 6 : 9));
    EXPECT_EQ(best_background(multicolor_grid(picture)), 6);
    const Encoding encoding = encode_multicolor(multicolor_grid(picture));
    EXPECT_EQ(encoding.image.background, 6);
    EXPECT_EQ(encoding.inexact_cells, 0);
    // As good as another colour: black is kept.
    PictureBytes even{};
    fill_cell(even, 0, 9);
    EXPECT_EQ(best_background(multicolor_grid(even)), 0);
    fill_cell(even, 1, 9);
    fill_cell(even, 2, 7);
    EXPECT_EQ(best_background(multicolor_grid(even)), 0);
}

TEST(Encoder, ACellWithTooManyColoursKeepsTheMostUsedAndShowsTheRestAsTheNearestKept) {
    const struct {
        std::vector<std::pair<std::uint8_t, int>> uses; // colour, pixels, most used first
        std::uint8_t extra, shown_as;
    } cases[] = {
        // White, red and blue are kept besides the black background; light grey is nearest white.
        {{{1, 10}, {2, 8}, {6, 6}, {15, 4}, {0, 4}}, 15, 1},
        // Dark grey is nearest the background, which every cell can show.
        {{{1, 10}, {7, 8}, {13, 8}, {11, 6}}, 11, 0},
    };
    const int cell = 41;
    for (const auto& test : cases) {
        // The other cells keep the background black: each holds black, red, cyan and green.
        PictureBytes picture{};
        for (int i = 0; i < kPictureBytes; ++i) picture[i] = std::uint8_t(i % 4 ? 1 + i % 4 : 0);
        int pixel = 0;
        for (const auto& [color, count] : test.uses)
            for (int n = 0; n < count; ++n) picture[cell_pixel_offset(cell, pixel++)] = color;
        EXPECT_EQ(encode_multicolor(multicolor_grid(picture)).inexact_cells, 1);
        const PictureBytes decoded = round_trip(picture);
        for (pixel = 0; pixel < kCellPixels; ++pixel) {
            const std::uint8_t was = picture[cell_pixel_offset(cell, pixel)];
            EXPECT_EQ(decoded[cell_pixel_offset(cell, pixel)],
                      was == test.extra ? test.shown_as : was)
                << "extra colour " << int(test.extra) << ", pixel " << pixel;
        }
    }
}

TEST(Clashes, MarkExactlyTheCellsAnExportCannotShow) {
    std::mt19937 random(5);
    PictureBytes picture = random_encodable_picture(random, 0);
    EXPECT_TRUE(find_clashes(multicolor_grid(picture)).cells.none());
    // Five colours in cell 7 and in the last cell.
    for (int cell : {7, kCells - 1})
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] = std::uint8_t(pixel % 5 + 1);
    const Clashes clashes = find_clashes(multicolor_grid(picture));
    EXPECT_EQ(clashes.background, 0);
    EXPECT_EQ(clashes.cells.count(), 2u);
    EXPECT_TRUE(clashes.cells[7]);
    EXPECT_TRUE(clashes.cells[kCells - 1]);
    EXPECT_EQ(int(clashes.cells.count()),
              encode_multicolor(multicolor_grid(picture)).inexact_cells);
}

TEST(Clashes, DependOnTheBackground) {
    PictureBytes picture{};
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        picture[cell_pixel_offset(3, pixel)] = std::uint8_t(pixel % 4 + 1);
    EXPECT_TRUE(inexact_cells(multicolor_grid(picture), 0)[3]);
    EXPECT_FALSE(inexact_cells(multicolor_grid(picture), 2)[3]);
    EXPECT_EQ(inexact_cells(multicolor_grid(picture), 2).count(), 0u);
}
