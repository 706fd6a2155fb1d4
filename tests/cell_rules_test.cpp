#include "modes/mode.h"
#include "picture/picture.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The refresh a plot attempt's result asks for, in order: each judgement's swatches, then the
// preview band at the pixel.
std::vector<std::string> refreshes(const PlotResult& plot) {
    std::vector<std::string> calls;
    for (const Analysis& found : plot.found())
        for (const std::string& call :
             {"c1:" + std::to_string(found.color1), "c2:" + std::to_string(found.color2),
              "c3:" + std::to_string(found.color3), std::string("back"),
              "band:" + std::to_string(plot.at.column) + "," + std::to_string(plot.at.row)})
            calls.push_back(call);
    return calls;
}

struct Model : ::testing::Test {
    PictureModel model;

    void put_row(int c0, int row, std::array<std::uint8_t, 4> colors) {
        for (int i = 0; i < 4; ++i) model.write_pixel(c0 + i, row, colors[i]);
    }
    std::array<std::uint8_t, 4> slots_and_scan() const {
        return {model.cell_color1, model.cell_color2, model.cell_color3, model.scan_color};
    }
};

struct Example {
    std::array<std::uint8_t, 4> row;
    std::array<std::uint8_t, 3> slots;
    std::uint8_t scan, count;
    int on_background; // -1: no such pixel, 0: refused, 1: accepted
    int on_colour;
};

// The rows of the worked examples, with back_color 0.
const Example kExamples[] = {
    {{0, 0, 0, 0}, {0, 0, 0}, 0, 0, 1, -1}, {{2, 0, 0, 0}, {2, 0, 0}, 0, 1, 1, 1},
    {{0, 0, 0, 2}, {2, 0, 0}, 2, 1, 1, 1},  {{2, 2, 2, 2}, {2, 0, 0}, 2, 1, -1, 1},
    {{2, 5, 0, 0}, {2, 5, 0}, 0, 2, 1, 1},  {{2, 5, 7, 0}, {2, 5, 7}, 0, 3, 0, 1},
    {{0, 2, 5, 7}, {2, 5, 7}, 7, 3, 0, 1},  {{2, 5, 0, 7}, {2, 5, 7}, 7, 3, 0, 1},
    {{2, 5, 7, 2}, {2, 5, 7}, 2, 3, -1, 1}, {{2, 5, 7, 9}, {2, 5, 7}, 9, 4, -1, 1},
    {{9, 2, 5, 7}, {9, 2, 5}, 7, 4, -1, 1}, {{2, 5, 5, 7}, {2, 5, 7}, 7, 3, -1, 1},
};

// The worked examples on another background: every 0 becomes it, and it becomes 0.
std::uint8_t on(std::uint8_t background, std::uint8_t color) {
    return color == 0 ? background : color == background ? 0 : color;
}

int first_with(const std::array<std::uint8_t, 4>& row, bool background) {
    for (int i = 0; i < 4; ++i)
        if ((row[i] == 0) == background) return i;
    return -1;
}

} // namespace

// The count rule compares with the background, so on blue (6) the examples hold with every 0
// read as 6 and every 6 as 0: black is then a colour like any other.
TEST_F(Model, RowAnalysisFollowsTheWorkedExamplesOnEveryBackground) {
    for (std::uint8_t background : {0, 6})
        for (const Example& e : kExamples) {
            SCOPED_TRACE(::testing::PrintToString(e.row) + " on " + std::to_string(background));
            model.back_color = background;
            model.picture.fill(background);
            for (int i = 0; i < 4; ++i) model.write_pixel(8 + i, 13, on(background, e.row[i]));
            model.analyse_row(10, 13);
            EXPECT_EQ(slots_and_scan(), (std::array<std::uint8_t, 4>{
                                            on(background, e.slots[0]), on(background, e.slots[1]),
                                            on(background, e.slots[2]), on(background, e.scan)}));
            EXPECT_EQ(model.cell_count, e.count);
            for (bool on_background : {true, false}) {
                const int column = first_with(e.row, on_background);
                const int expected = on_background ? e.on_background : e.on_colour;
                ASSERT_EQ(column < 0, expected < 0);
                if (column < 0) continue;
                const auto before = model.picture;
                const bool accepted = model.plot_fli(8 + column, 13, 12).accepted;
                EXPECT_EQ(accepted, expected == 1) << "column " << column;
                EXPECT_EQ(model.read_pixel(8 + column, 13),
                          accepted ? 12 : before[13 * 160 + 8 + column]);
                model.picture = before;
            }
        }
}

// On blue, black painted onto a blue pixel of a cell that holds three other colours would be a
// fourth: refused. The right button paints blue.
TEST_F(Model, OnBlueBlackIsAColourOfTheCell) {
    model.back_color = 6;
    model.picture.fill(6);
    put_row(4, 8, {2, 5, 7, 6});
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 7, 8, 0));
    EXPECT_EQ(model.read_pixel(7, 8), 6);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 5, 8, model.back_color));
    EXPECT_EQ(model.read_pixel(5, 8), 6);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 7, 8, 0)); // room again: black is the third
}

TEST_F(Model, CellAnalysisFollowsTheWorkedExamplesSpreadOverTheCell) {
    // The same colours in scan order: the first three in the top row, the last at the bottom
    // right, so that it is still the pixel scanned last.
    for (const Example& e : kExamples) {
        SCOPED_TRACE(::testing::PrintToString(e.row));
        model.picture.fill(0);
        put_row(4, 8, {e.row[0], e.row[1], e.row[2], 0});
        model.write_pixel(7, 15, e.row[3]);
        model.analyse_cell(6, 13);
        EXPECT_EQ(slots_and_scan(),
                  (std::array<std::uint8_t, 4>{e.slots[0], e.slots[1], e.slots[2], e.scan}));
        EXPECT_EQ(model.cell_count, e.count);
        if (e.count == 3)
            EXPECT_FALSE(model.plot_multicolor(5, 12, 2)); // a 0 pixel in the middle
        else
            EXPECT_TRUE(model.plot_multicolor(5, 12, 2));
    }
}

TEST_F(Model, TopRowTwoFiveSeven) {
    put_row(4, 8, {2, 5, 7, 0});
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 7, 8, 2)); // a colour already there, on a 0 pixel
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 5, 11, 9));
    EXPECT_EQ(model.read_pixel(7, 8), 0);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 5, 8, 9)); // over the 5
    EXPECT_EQ(model.read_pixel(5, 8), 9);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 6, 8, model.back_color)); // right button over 7
    EXPECT_EQ(model.read_pixel(6, 8), 0);
    put_row(4, 8, {2, 5, 7, 0});
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 4, 14, model.back_color)); // over a 0 pixel
}

// A colour met again after the second slot is filled must not take the third slot.
TEST_F(Model, ARepeatedColourIsRecordedOnce) {
    put_row(4, 8, {2, 5, 5, 7});
    model.analyse_cell(4, 8);
    EXPECT_EQ(slots_and_scan(), (std::array<std::uint8_t, 4>{2, 5, 7, 0}));
    EXPECT_EQ(model.cell_count, 3);
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 6, 12, 9));
    EXPECT_EQ(model.read_pixel(6, 12), 0);
}

TEST_F(Model, OverwritingAColouredPixelCanLeaveFourColours) {
    put_row(4, 8, {2, 5, 7, 0});
    model.write_pixel(4, 12, 5);
    EXPECT_TRUE(model.plot_multicolor(5, 8, 9));
    model.analyse_cell(4, 8);
    EXPECT_EQ(model.cell_color1, 2);
    EXPECT_EQ(model.cell_color2, 9);
    EXPECT_EQ(model.cell_color3, 7);
}

TEST_F(Model, AFourthColourAtTheBottomRightCountsFour) {
    put_row(4, 8, {2, 5, 7, 0});
    model.write_pixel(7, 15, 9);
    model.analyse_cell(4, 8);
    EXPECT_EQ(model.cell_count, 4);
    EXPECT_TRUE(model.plot_multicolor(4, 10, 3));
    EXPECT_TRUE(model.plot_multicolor(6, 14, 6));
}

TEST_F(Model, AnalysesExamineTheCellAndTheRowOfTheirTarget) {
    // Colours just outside columns 4..7 and rows 8..15 must not be seen.
    model.picture.fill(3);
    for (int r = 8; r < 16; ++r) put_row(4, r, {0, 0, 0, 0});
    model.write_pixel(4, 8, 2);
    model.write_pixel(7, 13, 5);
    model.analyse_cell(6, 13);
    EXPECT_EQ(slots_and_scan(), (std::array<std::uint8_t, 4>{2, 5, 0, 0}));
    model.analyse_row(6, 13);
    EXPECT_EQ(slots_and_scan(), (std::array<std::uint8_t, 4>{5, 0, 0, 5}));
}

TEST_F(Model, EveryAttemptAsksForSwatchesThenTheBandAtThePixel) {
    put_row(4, 8, {2, 5, 7, 0});
    const PlotResult refused = model.plot_pixel(fmtMulticolor, 6, 13, 4);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refreshes(refused),
              (std::vector<std::string>{"c1:2", "c2:5", "c3:7", "back", "band:6,13"}));
    EXPECT_TRUE(refused.touched().empty());
    const PlotResult accepted = model.plot_pixel(fmtMulticolor, 20, 30, 4);
    EXPECT_TRUE(accepted);
    // The swatches show the cell as it was before the write.
    EXPECT_EQ(refreshes(accepted),
              (std::vector<std::string>{"c1:0", "c2:0", "c3:0", "back", "band:20,30"}));
    EXPECT_EQ(accepted.touched(), (PixelArea{20, 30, 1, 1}));
}

// Only Multicolor and FLI plot through the format value: the hires modes have an entry of
// their own, and a picture already in one of them is not painted through it either.
TEST_F(Model, OtherFormatsDoNothing) {
    for (std::uint8_t picture_in : {fmtMulticolor, fmtHires, fmtAfli})
        for (std::uint8_t format : {0, 3, 4, 5, 255}) {
            SCOPED_TRACE(::testing::Message() << "format " << int(format) << " on a picture in "
                                              << mode_of(picture_in).name);
            model.shape = mode_of(picture_in).shape;
            model.shared_background = mode_of(picture_in).shared.background;
            const PlotResult plot = model.plot_pixel(format, 5, 5, 2);
            EXPECT_FALSE(plot);
            EXPECT_EQ(model.read_pixel(5, 5), 0);
            EXPECT_TRUE(refreshes(plot).empty());
        }
}

TEST_F(Model, FliFallsBackToTheCellAndRefreshesTwice) {
    put_row(4, 9, {2, 5, 7, 0});
    const PlotResult refused = model.plot_pixel(fmtFli, 7, 9, 3); // by the row and by the cell
    EXPECT_FALSE(refused);
    EXPECT_EQ(refreshes(refused).size(), 10u);
    model.write_pixel(7, 15, 9); // the cell now counts four: it accepts
    const PlotResult by_cell = model.plot_pixel(fmtFli, 7, 9, 3);
    EXPECT_TRUE(by_cell);
    EXPECT_EQ(model.read_pixel(7, 9), 3);
    EXPECT_EQ(refreshes(by_cell),
              (std::vector<std::string>{"c1:2", "c2:5", "c3:7", "back", "band:7,9", "c1:2", "c2:5",
                                        "c3:7", "back", "band:7,9"}));
    EXPECT_EQ(refreshes(model.plot_pixel(fmtFli, 20, 20, 3)).size(), 5u); // by the row alone
}

// In FLI a cell's rows are limited one by one: a colour refused in Multicolor because the cell
// is full is taken by a row that has room.
TEST_F(Model, FliTakesWhatARowHasRoomForInAFullCell) {
    put_row(0, 0, {2, 3, 5, 0});
    EXPECT_FALSE(model.plot_pixel(fmtMulticolor, 0, 1, 7));
    EXPECT_TRUE(model.plot_pixel(fmtFli, 0, 1, 7));
    EXPECT_EQ(model.read_pixel(0, 1), 7);
}

TEST_F(Model, SuccessiveAnalysesStartAfresh) {
    put_row(4, 8, {2, 5, 7, 9});
    model.analyse_cell(4, 8);
    ASSERT_EQ(model.cell_count, 3);
    model.analyse_cell(40, 40);
    EXPECT_EQ(slots_and_scan(), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(model.cell_count, 0);
    EXPECT_TRUE(model.plot_multicolor(41, 41, 6));
    EXPECT_EQ(model.old_color, 0);
}

TEST_F(Model, ColumnZeroAndRowZeroArePaintable) {
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 0, 0, 6));
    EXPECT_EQ(model.picture[0], 6);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 0, 120, 2));
    EXPECT_EQ(model.read_pixel(0, 120), 2);
    model.analyse_cell(1, 1);
    EXPECT_EQ(model.cell_color1, 6);
}

// Past the edge nothing can be written, so the plot is refused, and refreshes as any refusal.
TEST_F(Model, TargetsOutsideThePictureAreRefused) {
    const auto before = model.picture;
    for (auto [c, r] :
         {std::pair{-1, 5}, {160, 5}, {5, 200}, {187, 247}, {INT32_MAX, INT32_MAX}, {INT32_MIN, 0}})
        for (std::uint8_t format : {fmtMulticolor, fmtFli}) {
            const PlotResult plot = model.plot_pixel(format, c, r, 2);
            EXPECT_FALSE(plot) << c << "," << r;
            EXPECT_EQ(refreshes(plot).size(), format == fmtFli ? 10u : 5u);
        }
    EXPECT_EQ(model.picture, before);
    EXPECT_TRUE(model.plot_pixel(fmtMulticolor, 159, 199, 2));
    EXPECT_EQ(model.picture[31999], 2);
}
