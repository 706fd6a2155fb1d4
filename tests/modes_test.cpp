// The table of modes: what each row states, and the rules it gives.
#include "c64/render.h"
#include "modes/mode.h"
#include "picture/picture.h"
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

// Multicolor and FLI share their size, their double-width pixels and their cells; FLI counts
// each 4 x 1 row's colours, two of its own and one its cell shares, and its last four rows
// share one set (the video chip fetches no screen row below row 196).
TEST(Modes, EachRowStatesItsGeometryAndItsColours) {
    const struct {
        std::uint8_t format;
        const char* name;
        const char* caption;
        CellSize area;
        int own, per_area;
        bool cell_colour;
        PixelArea area_of_last_row;
    } rows[] = {
        {fmtMulticolor, "Multicolor", "", {4, 8}, 3, 3, false, {156, 192, 4, 8}},
        {fmtFli, "FLI", " [FLI]", {4, 1}, 2, 3, true, {156, 196, 4, 4}},
    };
    ASSERT_EQ(all_modes().size(), std::size(rows) + 2); // and the two hires modes
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Mode& mode = mode_of(row.format);
        EXPECT_EQ(&mode, find_mode(row.format));
        EXPECT_STREQ(mode.name, row.name);
        EXPECT_STREQ(mode.caption, row.caption);
        EXPECT_EQ(mode.whole(), (PixelArea{0, 0, 160, 200}));
        EXPECT_EQ(mode.shape.pixel_aspect, 2);
        EXPECT_EQ(mode.shape.cell, (CellSize{4, 8}));
        EXPECT_EQ(mode.colour_area, row.area);
        EXPECT_EQ(mode.own_colours, row.own);
        EXPECT_EQ(mode.colours_per_area(), row.per_area);
        EXPECT_EQ(mode.shared.cell_colour, row.cell_colour);
        EXPECT_EQ(mode.colour_area_at({158, 199}), row.area_of_last_row);
        EXPECT_EQ(mode.cell_at({-1, 13}), (PixelArea{-4, 8, 4, 8}));
    }
    EXPECT_EQ(find_mode(0), nullptr);
    EXPECT_EQ(find_mode(5), nullptr);
    EXPECT_THROW(mode_of(5), std::invalid_argument);
}

// Whether a cell still shows once a pixel is painted: three colours besides the background in
// a Multicolor cell; in FLI two of a row's own and the one all its rows share.
TEST(Modes, EachModeJudgesWhetherACellStillShows) {
    std::array<std::uint8_t, 32000> picture{};
    const auto put = [&](int column, int row, std::uint8_t color) {
        picture[std::size_t(row * 160 + column)] = color;
    };
    put(4, 8, 2), put(5, 8, 5), put(6, 8, 7); // three colours in the cell's top row
    put(4, 9, 9), put(5, 9, 10);              // two other colours in its second row
    const struct {
        std::uint8_t format;
        PixelPos at;
        std::uint8_t color;
        bool shows;
    } rows[] = {
        {fmtMulticolor, {7, 12}, 2, false}, // the cell holds five already
        {fmtFli, {7, 10}, 3, true},         // a row of its own: 3 and any shared colour
        {fmtFli, {7, 8}, 3, false},         // a fourth colour in the top row
        {fmtFli, {6, 9}, 3, false},         // no colour-RAM colour serves rows 8 and 9 then
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << mode_of(row.format).name << " at " << row.at.column << "," << row.at.row);
        const Mode& mode = mode_of(row.format);
        EXPECT_EQ(mode.shows_with(mode.grid_of(picture.data()), 0, row.at, row.color), row.shows);
    }
    std::array<std::uint8_t, 32000> empty{};
    EXPECT_TRUE(mode_of(fmtMulticolor).shows_with(multicolor_grid(empty), 0, {7, 12}, 2));
}

// Hires and AFLI share no background: an area (an 8 x 8 cell, an 8 x 1 row, AFLI's last four
// rows as one) takes a colour it holds, or one that leaves it two colours, and nothing else,
// the picture's background included.
TEST(Modes, HiresAndAfliPaintTwoColoursAnAreaAndShareNoBackground) {
    PictureModel start;
    const auto put = [&](int column, int row, std::uint8_t color) {
        start.picture[std::size_t(row * 320 + column)] = color;
    };
    for (int row = 8; row < 16; ++row)
        for (int column = 8; column < 16; ++column) put(column, row, 2);
    put(9, 8, 5);    // the cell holds 2 and 5; its top row both, the others 2 only
    put(10, 197, 5); // rows 196 to 199 of the cell column hold black and 5
    const struct {
        std::uint8_t format;
        PixelPos at;
        std::uint8_t color;
        bool taken;
    } rows[] = {
        {fmtHires, {12, 12}, 5, true},   // a colour the cell holds
        {fmtHires, {12, 12}, 7, false},  // a third
        {fmtHires, {12, 12}, 0, false},  // the background is one like any other
        {fmtHires, {9, 8}, 7, true},     // 5's only pixel: the cell keeps two
        {fmtAfli, {12, 12}, 7, true},    // a row of its own holds 2 only
        {fmtAfli, {12, 8}, 7, false},    // the top row holds 2 and 5
        {fmtAfli, {12, 195}, 7, true},   // black only
        {fmtAfli, {12, 199}, 7, false},  // rows 196 to 199 share black and 5
        {fmtAfli, {12, 196}, 7, false},  // row 196 too, though it holds only black
        {fmtAfli, {319, 199}, 7, true},  // the last pixel
        {fmtAfli, {320, 199}, 7, false}, // past the picture
    };
    for (const auto& row : rows) {
        const Mode& mode = mode_of(row.format);
        SCOPED_TRACE(::testing::Message()
                     << mode.name << " at " << row.at.column << "," << row.at.row);
        PictureModel model = start;
        model.shape = mode.shape;
        model.shared_background = mode.shared.background;
        EXPECT_EQ(model.plot_in_mode(mode, row.at.column, row.at.row, row.color).accepted,
                  row.taken);
        EXPECT_EQ(model.read_pixel(row.at.column, row.at.row) == row.color, row.taken);
    }
}

// Narrowed, each pair of hires pixels becomes the one whose colour its 8 x 8 cell holds fewer
// of, so that a line one pixel wide survives, and the left one between equals; widened, each
// pixel becomes two.
TEST(Modes, AChangeOfShapeKeepsThinLinesAndTheLeftPixelBetweenEquals) {
    StoredPicture picture{};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 16; ++column) // a cell of 2 with one 5; one of 3 4 3 4 ...
            picture[std::size_t(row * 320 + column)] = std::uint8_t(column >= 8 ? 3 + column % 2
                                                                    : row == 0 && column == 1 ? 5
                                                                                              : 2);
    const auto first_row = [&](int width) {
        std::string digits;
        for (int column = 0; column < width; ++column) digits += char('0' + picture[column]);
        return digits;
    };
    convert_shape(mode_of(fmtHires), mode_of(fmtMulticolor), picture.data());
    EXPECT_EQ(first_row(8), "52223333");
    EXPECT_EQ(picture[160 + 4], 3);
    convert_shape(mode_of(fmtMulticolor), mode_of(fmtAfli), picture.data());
    EXPECT_EQ(first_row(16), "5522222233333333");
}

// Every rule and codec that reads whole rows of a known width refuses a grid of another size,
// which it would otherwise read, or write, past its end.
TEST(PictureGrids, OfAnotherSizeAreRefused) {
    StoredPicture storage{};
    const PixelGrid multicolour = multicolor_grid(storage), hires = hires_grid(storage);
    const LabPalette& shown = lab_palette(PaletteId::Vexlor);
    const struct {
        const char* what;
        std::function<void()> call;
    } rows[] = {
        {"multicolour encoder, hires grid", [&] { encode_multicolor(hires, 0); }},
        {"FLI encoder, hires grid", [&] { encode_fli(hires, 0); }},
        {"hires encoder, multicolour grid", [&] { encode_hires(multicolour); }},
        {"AFLI decoder, multicolour grid", [&] { decode_afli(AfliImage{}, multicolour); }},
        {"hires rendering, multicolour grid",
         [&] { render_picture(multicolour, {.hires = true}); }},
        {"Multicolor's plot rule, hires grid",
         [&] {
             mode_of(fmtMulticolor).shows_with(hires, 0, {0, 0}, 1);
         }},
        {"FLI's plot rule, hires grid",
         [&] {
             mode_of(fmtFli).shows_with(hires, 0, {0, 0}, 1);
         }},
        {"AFLI's plot rule, multicolour grid",
         [&] {
             mode_of(fmtAfli).shows_with(multicolour, 0, {0, 0}, 1);
         }},
        {"Hires clash count, multicolour grid",
         [&] { mode_of(fmtHires).areas_over_limit(multicolour, 0); }},
        {"Multicolor clash fix, hires grid",
         [&] {
             mode_of(fmtMulticolor).fix_clashes(hires, 0, shown, {0, 0, 8, 8});
         }},
        {"a grid wider than its pixels", [&] { grid_over(storage, 321, 200); }},
    };
    for (const auto& row : rows) EXPECT_THROW(row.call(), std::invalid_argument) << row.what;
}

// Fix Colour Clashes leaves alone the part of the area asked for that lies outside the picture.
TEST(PictureGrids, ClashFixStaysWithinThePicture) {
    for (const std::uint8_t format : {fmtMulticolor, fmtFli, fmtHires, fmtAfli}) {
        const Mode& mode = mode_of(format);
        const std::size_t pixels = std::size_t(mode.shape.width * mode.shape.height);
        std::vector<std::uint8_t> bytes(pixels + 4096, 0xEE);
        for (std::size_t i = 0; i < pixels; ++i) bytes[i] = std::uint8_t(i * 7 % 13 % 16);
        mode.fix_clashes(mode.grid_of(bytes.data()), 0, lab_palette(PaletteId::Vexlor),
                         {-16, -16, 2 * mode.shape.width, 2 * mode.shape.height});
        EXPECT_EQ(std::count(bytes.begin() + std::ptrdiff_t(pixels), bytes.end(), 0xEE), 4096)
            << mode.name;
    }
}
