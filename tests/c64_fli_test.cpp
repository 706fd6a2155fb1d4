#include "c64/fli_prg.h"
#include "colour/palettes.h"
#include "conversion/convert.h"
#include "conversion/diffusion.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

void set_row(PictureBytes& picture, int cell, int y, std::array<std::uint8_t, 4> colors) {
    for (int x = 0; x < kCellWidth; ++x)
        picture[cell_pixel_offset(cell, y * kCellWidth + x)] = colors[x];
}

int row_index(int cell, int y) { return first_cell_row(cell) + y * kCellColumns; }

} // namespace

// Cells built to need each case: what the limit lets through, and which rows it marks.
TEST(FliLimit, MarksExactlyTheRowsAC64CannotShow) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::array<std::uint8_t, 4>>> rows; // cell 45's rows
        std::vector<int> inexact;
    };
    const std::vector<Case> cases = {
        {"two own colours a row and one shared by all",
         {{0, {2, 3, 7, 0}}, {1, {4, 5, 7, 7}}, {2, {8, 9, 0, 7}}, {7, {10, 11, 7, 0}}},
         {}},
        {"a row with four colours besides the background", {{3, {2, 3, 4, 5}}}, {3}},
        {"two rows that would each need a third colour of their own",
         {{0, {2, 3, 4, 4}}, {1, {5, 6, 7, 7}}, {2, {5, 6, 7, 0}}},
         {0}},
        {"three colours in a row are fine when one is shared",
         {{0, {2, 3, 4, 0}}, {1, {4, 5, 6, 0}}, {6, {4, 8, 9, 9}}},
         {}},
    };
    for (const Case& c : cases) {
        PictureBytes picture{};
        for (const auto& [y, colors] : c.rows) set_row(picture, 45, y, colors);
        const FliEncoding encoding = encode_fli(multicolor_grid(picture), 0);
        std::vector<int> inexact;
        for (int y = 0; y < kCellHeight; ++y)
            if (encoding.inexact[std::size_t(row_index(45, y))]) inexact.push_back(y);
        EXPECT_EQ(inexact, c.inexact) << c.what;
        EXPECT_EQ(int(encoding.inexact.count()), int(c.inexact.size())) << c.what;
        const CellRowSet marks = fli_clash_rows(multicolor_grid(picture), 0);
        EXPECT_EQ(marks & ~encoding.inexact, fli_clash_rows(multicolor_grid(PictureBytes{}), 0))
            << c.what;
    }
}

TEST(FliLimit, MarksTheBugColumnsAndTheLastRowsThatShareRow196sScreen) {
    PictureBytes picture{};
    const CellRowSet empty = fli_clash_rows(multicolor_grid(picture), 0);
    EXPECT_EQ(int(empty.count()), kFliBugCellColumns * kPictureRows);
    EXPECT_TRUE(empty[std::size_t(cell_row_of(11, 57))]);
    EXPECT_FALSE(empty[std::size_t(cell_row_of(12, 57))]);
    const int cell = 24 * kCellColumns + 10; // the last cell row
    set_row(picture, cell, 3, {8, 9, 0, 0}); // row 195 has a screen of its own
    set_row(picture, cell, 4, {2, 3, 0, 0});
    set_row(picture, cell, 5, {2, 3, 7, 7});
    EXPECT_FALSE(encode_fli(multicolor_grid(picture), 0).inexact.any())
        << "row 197 uses row 196's pair";
    set_row(picture, cell, 7, {4, 0, 0, 0});
    const FliEncoding encoding = encode_fli(multicolor_grid(picture), 0);
    EXPECT_EQ(encoding.inexact.count(), 1u);
    EXPECT_TRUE(encoding.inexact[std::size_t(row_index(cell, 7))]);
    for (int screen = 4; screen < kFliScreens; ++screen)
        EXPECT_EQ(encoding.image.screens[screen][cell], encoding.image.screens[4][cell]);
}

// The encoder's choices on cells built for them: the shared colour is the one every row needs,
// not the most used; each row keeps its two most used others; a colour it cannot keep shows as
// its nearest on a C64.
TEST(FliEncoder, ChoosesTheColoursThatChangeTheFewestPixels) {
    PictureBytes picture{};
    set_row(picture, 0, 0, {2, 2, 3, 9});   // 9 is the least used colour, but every row but
    set_row(picture, 0, 1, {4, 4, 6, 9});   // the third needs it
    set_row(picture, 0, 2, {1, 1, 12, 15}); // white, grey and light grey: no room for all
    set_row(picture, 0, 3, {1, 1, 1, 1});
    const FliEncoding encoding = encode_fli(multicolor_grid(picture), 0);
    const FliImage& image = encoding.image;
    EXPECT_EQ(image.color[0], 9);
    EXPECT_EQ(image.screens[0][0], 0x23);
    EXPECT_EQ(image.screens[1][0], 0x56); // Vexlor's green is C64 colour 5
    EXPECT_EQ(image.screens[2][0], 0x1C);
    EXPECT_EQ(image.screens[3][0], 0x10);
    EXPECT_EQ(image.bitmap[0], 0b01011011);
    EXPECT_EQ(image.bitmap[1], 0b01011011);
    EXPECT_EQ(image.bitmap[2], 0b01011010); // light grey shows as grey, the nearer
    EXPECT_EQ(encoding.inexact.count(), 1u);
    EXPECT_TRUE(encoding.inexact[std::size_t(row_index(0, 2))]);
    PictureBytes decoded{};
    decode_fli(image, multicolor_grid(decoded));
    EXPECT_EQ(decoded[2 * kPictureColumns + 3], 12);
}

TEST(FliEncoder, WritesC64NumbersAndTheBackgroundOnEveryLine) {
    PictureBytes picture{};
    picture.fill(4);                      // Vexlor green
    set_row(picture, 0, 0, {5, 5, 4, 4}); // Vexlor purple
    const FliImage image = encode_fli(multicolor_grid(picture), 5).image;
    for (std::uint8_t line : image.backgrounds) ASSERT_EQ(line, 4); // C64 purple
    EXPECT_EQ(image.color[0] == 5 || image.screens[0][0] >> 4 == 5, true);
}

// The viewer's bytes, then the picture where the C64 reads it: screens at $4000, the bitmap at
// $6000, the colour RAM after the code, the background and $D016's value just before it. The
// same program shows AFLI, hires on a black border.
TEST(FliPrg, PlacesThePictureWhereTheViewerAndTheVicReadIt) {
    FliImage image = random_fli_image(3);
    const std::vector<std::uint8_t> fli = write_fli_prg(image);
    const std::size_t colour_at =
        std::size_t(std::search(fli.begin(), fli.begin() + (0x4000 - 0x0801 + 2),
                                image.color.begin(), image.color.end()) -
                    fli.begin());
    ASSERT_LT(colour_at, 0x4000u - 0x0801 + 2);
    const struct {
        const char* mode;
        std::vector<std::uint8_t> file;
        std::uint8_t background, control2;
    } rows[] = {
        {"FLI", fli, 6, 0x18},
        {"AFLI", write_afli_prg({.bitmap = image.bitmap, .screens = image.screens}), 0, 0x08},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        const std::vector<std::uint8_t>& file = row.file;
        auto at = [&](unsigned address) { return file.begin() + (address - 0x0801 + 2); };
        ASSERT_EQ(file.size(), 0x7F40u - 0x0801 + 2);
        EXPECT_EQ(file[0], 0x01);
        EXPECT_EQ(file[1], 0x08);
        EXPECT_EQ(file[6], 0x9E); // 10 SYS ...
        for (int n = 0; n < kFliScreens; ++n)
            EXPECT_TRUE(std::equal(image.screens[n].begin(), image.screens[n].end(),
                                   at(0x4000 + 0x400 * unsigned(n))));
        EXPECT_TRUE(std::equal(image.bitmap.begin(), image.bitmap.end(), at(0x6000)));
        EXPECT_EQ(file[colour_at - 1], row.control2);
        EXPECT_EQ(file[colour_at - 2], row.background);
    }
}

// Where each row of a cell needs colours of its own, FLI shows what Multicolor cannot.
TEST(FliConversion, ShowsRowsOfTheirOwnColoursExactly) {
    RgbImage image{160, 200, std::vector<std::uint8_t>(160 * 200 * 3)};
    const Palette& colors = palette_colors(PaletteId::Colodore);
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 160; ++column) {
            const int y = screen_row_of(row);
            const TColor color = colors[std::size_t(column % 4 < 2 ? y % 7 + 1 : (y + 3) % 7 + 8)];
            std::uint8_t* pixel = image.rgb.data() + (row * 160 + column) * 3;
            pixel[0] = RedOf(color), pixel[1] = GreenOf(color), pixel[2] = BlueOf(color);
        }
    ConversionOptions options{.palette = PaletteId::Colodore};
    options.format = fmtFli;
    const Conversion fli = convert_image(image, options);
    EXPECT_FALSE(encode_fli(multicolor_grid(fli.picture), fli.background).inexact.any());
    options.format = fmtMulticolor;
    const double fli_error =
        measure_conversion(image, {.palette = PaletteId::Colodore, .format = fmtFli}).searched;
    const double multicolor_error = measure_conversion(image, options).searched;
    EXPECT_LT(fli_error, 0.01);
    EXPECT_GT(multicolor_error, 5.0);
}

// Rows 197 to 199 show row 196's screen colours, so the dither in FLI chooses row 196's pair
// for all four rows: here the red and blue of the three rows below, not the white of the row.
TEST(FliConversion, Row196ChoosesThePairThatTheRowsBelowItShow) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    constexpr std::uint8_t kWhite = 1, kRed = 2, kBlue = 6, kYellow = 7;
    constexpr int kColumn = 80;
    PictureTarget target{std::vector<Lab>(kPictureBytes, colors[0]), 0, 0, 160, 200, false};
    RowColors rows;
    for (int x = 0; x < kCellWidth; ++x) {
        target.pixels[std::size_t(kLastScreenRow * 160 + kColumn + x)] = colors[kWhite];
        for (int row = kLastScreenRow + 1; row < 200; ++row)
            target.pixels[std::size_t(row * 160 + kColumn + x)] = colors[x % 2 ? kBlue : kRed];
    }
    for (int row = kLastScreenRow; row < 200; ++row)
        rows.rows[std::size_t(cell_row_of(kColumn, row))] = {0, kRed, kBlue, kYellow};
    const StoredPicture picture = diffuse_fli(target, colors, rows);
    for (int row = kLastScreenRow + 1; row < 200; ++row)
        for (int x = 0; x < kCellWidth; ++x)
            EXPECT_EQ(picture[row * 160 + kColumn + x], x % 2 ? kBlue : kRed) << row << ", " << x;
}
