// The artist's hand on the desk, without windows: the selection tool's lasso and wand, the edit
// commands on selections of any shape, the brush's transparent colour and free changes, the
// spray's flow, and the refused plot a stroke reports.
#include "desk/desk.h"
#include "selection/pixel_selection.h"
#include "tests/unseen_view.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct HandTest : ::testing::Test {
    Desk desk;
    Document& document = desk.document();
    UnseenView view;
    ToolContext context = desk.tools(view);

    void set(PixelPos at, std::uint8_t color) { document.grid().row(at.row)[at.column] = color; }
    std::uint8_t at(PixelPos pixel) const { return document.read_pixel(pixel.column, pixel.row); }
    // The selection tool pressed at the first point, dragged through the others and let go at
    // the last.
    void drag(const std::vector<PixelPos>& points, bool ctrl = false, bool shift = false) {
        const std::unique_ptr<Tool> tool = tool_row(toolSelect)->make();
        auto event = [&](PixelPos p, MouseButton button, bool held) {
            PointerEvent e{p, p, button, held, false, shift, true};
            e.ctrl = ctrl;
            return e;
        };
        tool->press(context, event(points.front(), MouseButton::Left, true));
        for (std::size_t i = 1; i < points.size(); ++i)
            tool->move(context, event(points[i], MouseButton::None, true));
        tool->release(context, event(points.back(), MouseButton::Left, false));
    }
};

} // namespace

// The drag takes the rectangle or the outline, as chosen; Ctrl takes a colour's area (with
// Shift all of the colour) whichever is chosen; a click inside a selection keeps it.
TEST_F(HandTest, TheSelectionToolTakesTheShapeChosen) {
    const struct {
        const char* name;
        SelectShape shape;
        bool ctrl, shift;
        std::vector<PixelPos> points;
        PixelArea bounds;
        PixelPos in, out;
    } rows[] = {
        {"rectangle",
         SelectShape::Rectangle,
         false,
         false,
         {{2, 2}, {4, 3}, {5, 4}},
         {2, 2, 4, 3},
         {5, 4},
         {6, 4}},
        {"lasso triangle",
         SelectShape::Lasso,
         false,
         false,
         {{0, 0}, {8, 0}, {0, 8}},
         {0, 0, 9, 9},
         {2, 2},
         {7, 7}},
        {"lasso click inside keeps it",
         SelectShape::Lasso,
         false,
         false,
         {{3, 3}},
         {0, 0, 9, 9},
         {2, 2},
         {7, 7}},
        {"wand",
         SelectShape::Rectangle,
         true,
         false,
         {{11, 10}},
         {10, 10, 3, 2},
         {12, 11},
         {40, 50}},
        {"wand with the lasso chosen",
         SelectShape::Lasso,
         true,
         false,
         {{11, 10}},
         {10, 10, 3, 2},
         {12, 11},
         {40, 50}},
        {"all of the colour",
         SelectShape::Rectangle,
         true,
         true,
         {{11, 10}},
         {10, 10, 31, 41},
         {40, 50},
         {20, 20}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        document.reset();
        for (int c = 10; c < 13; ++c) set({c, 10}, 5), set({c, 11}, 5);
        set({40, 50}, 5);
        desk.choose_select_shape(row.shape);
        // What a click keeps: the triangle a lasso drew before.
        drag({{0, 0}, {8, 0}, {0, 8}});
        drag(row.points, row.ctrl, row.shift);
        const PixelSelection& selected = document.selected_pixels();
        EXPECT_EQ(selected.bounds(), row.bounds);
        EXPECT_EQ(document.selection(), std::optional(row.bounds));
        EXPECT_TRUE(selected.contains(row.in));
        EXPECT_FALSE(selected.contains(row.out));
    }
    // A lasso click outside the selection drops it.
    drag({{30, 30}});
    EXPECT_FALSE(document.selection());
}

// While the lasso is drawn the ants run round the path it took; the release closes it and takes
// what lies inside.
TEST_F(HandTest, ALassoSelectsItsPathWhileDrawnAndTheInsideAtTheRelease) {
    desk.choose_select_shape(SelectShape::Lasso);
    const std::unique_ptr<Tool> tool = tool_row(toolSelect)->make();
    // The left button held down from the press to the release.
    const auto event = [](PixelPos p, MouseButton button, bool held = true) {
        return PointerEvent{p, p, button, held, false, false, true};
    };
    const PixelPos on_path{4, 0}, on_closing_line{0, 4}, inside{2, 2};
    tool->press(context, event({0, 0}, MouseButton::Left));
    tool->move(context, event({8, 0}, MouseButton::None));
    tool->move(context, event({0, 8}, MouseButton::None));
    const PixelSelection& selected = document.selected_pixels();
    EXPECT_TRUE(selected.contains(on_path));
    EXPECT_FALSE(selected.contains(on_closing_line));
    EXPECT_FALSE(selected.contains(inside));
    tool->release(context, event({0, 8}, MouseButton::Left, false));
    for (PixelPos at : {on_path, on_closing_line, inside})
        EXPECT_TRUE(document.selected_pixels().contains(at));
}

// Delete, Cut and the flips change only the selected pixels; a flip takes the selection with
// it, and what it leaves takes the background. The selection is the L of (0, 0), (1, 0) and
// (0, 1) over the pixels 2 3 / 4 5.
TEST_F(HandTest, EditCommandsChangeOnlyTheSelectedPixels) {
    const struct {
        const char* name;
        std::function<void(Desk&)> command;
        std::vector<std::uint8_t> after; // the four pixels, row by row
        std::vector<std::uint8_t> mask;  // the selection after, over the same 2 x 2
    } rows[] = {
        {"Delete", [](Desk& d) { d.clear_selection("Delete"); }, {0, 0, 0, 5}, {1, 1, 1, 0}},
        {"Flip Horizontally",
         [](Desk& d) { d.flip("Flip Horizontally", true); },
         {3, 2, 0, 4},
         {1, 1, 0, 1}},
        {"Flip Vertically",
         [](Desk& d) { d.flip("Flip Vertically", false); },
         {4, 0, 2, 3},
         {1, 0, 1, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        document.reset();
        set({0, 0}, 2), set({1, 0}, 3), set({0, 1}, 4), set({1, 1}, 5);
        document.select(PixelSelection({0, 0, 2, 2}, {1, 1, 1, 0}));
        row.command(desk);
        EXPECT_EQ((std::vector{at({0, 0}), at({1, 0}), at({0, 1}), at({1, 1})}), row.after);
        EXPECT_EQ(document.selected_pixels(), PixelSelection({0, 0, 2, 2}, row.mask));
        EXPECT_EQ(document.history().undo_label(), row.name);
        desk.undo();
        EXPECT_EQ((std::vector{at({0, 0}), at({1, 0}), at({0, 1}), at({1, 1})}),
                  (std::vector<std::uint8_t>{2, 3, 4, 5}));
    }
}

// Fix Colour Clashes in a cell of five colours, whose rarest (4) lies at (0, 0) and (1, 1): a
// free selection leaves the pixels outside it as they are, a rectangle fixes whole cells.
TEST_F(HandTest, FixColourClashesKeepsToTheSelectedPixels) {
    const struct {
        const char* name;
        PixelSelection selection;
        bool fixed_in, fixed_out; // whether (0, 0), then (1, 1), lose the colour 4
    } rows[] = {
        {"lasso", PixelSelection({0, 0, 2, 2}, {1, 1, 1, 0}), true, false},
        {"rectangle", PixelSelection(PixelArea{0, 0, 1, 1}), true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        document.reset();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 4; ++x) set({x, y}, std::uint8_t(1 + (x + y) % 3));
        set({0, 0}, 4), set({1, 1}, 4);
        document.select(row.selection);
        const ClashFix fix = desk.fix_clashes(lab_palette(PaletteId::Vexlor));
        EXPECT_EQ(at({0, 0}) != 4, row.fixed_in);
        EXPECT_EQ(at({1, 1}) != 4, row.fixed_out);
        EXPECT_EQ(fix.pixels, int(row.fixed_in) + int(row.fixed_out));
    }
}

// Copy and Brush from Selection lift only the selected pixels; a paste puts down only those and
// selects them where they land.
TEST_F(HandTest, WhatIsLiftedFromASelectionHoldsOnlyItsPixels) {
    set({0, 0}, 2), set({1, 0}, 3), set({0, 1}, 4), set({1, 1}, 5);
    document.select(PixelSelection({0, 0, 2, 2}, {1, 1, 1, 0}));
    const PixelBlock lifted{2, 2, {2, 3, 4, 5}, {1, 1, 1, 0}};
    EXPECT_EQ(desk.selected_block(), lifted);

    desk.paste(*desk.selected_block(), {0, 0});
    const std::unique_ptr<Tool> placing = place_block_tool();
    placing->press(context, {{20, 20}, {20, 20}, MouseButton::Left, true, false, false, true});
    EXPECT_EQ((std::vector{at({20, 20}), at({21, 20}), at({20, 21}), at({21, 21})}),
              (std::vector<std::uint8_t>{2, 3, 4, 0}));
    EXPECT_EQ(document.selected_pixels(), PixelSelection({20, 20, 2, 2}, {1, 1, 1, 0}));

    EXPECT_TRUE(desk.brush_from_selection());
    EXPECT_EQ(desk.painter().pen.brush->block(), (PixelBlock{2, 2, {2, 3, 4, 0}, {1, 1, 1, 0}}));
}

// The transparent colour chosen goes to the brush there is and to those taken up later; the
// free turn and scale work from the brush's own pixels; the spray's flow stays within its range.
TEST_F(HandTest, TheBrushAndSpraySettingsGoWhereTheyAreUsed) {
    const PixelBlock block{2, 1, {3, 4}};
    const struct {
        const char* name;
        std::function<bool(Desk&)> change;
        std::optional<std::uint8_t> transparent;
        int width, flow;
    } rows[] = {
        {"a brush taken up after the choice",
         [&](Desk& d) { return d.choose_brush_transparent(7), d.take_brush(block), true; }, 7, 2,
         kSprayFlow},
        {"the choice changes the brush there is",
         [&](Desk& d) { return d.take_brush(block), d.choose_brush_transparent(3), true; }, 3, 2,
         kSprayFlow},
        {"no brush to turn", [](Desk& d) { return !d.rotate_brush(45); }, std::nullopt, 0,
         kSprayFlow},
        {"turned and back",
         [&](Desk& d) { return d.take_brush(block), d.rotate_brush(90) && d.rotate_brush(0); },
         std::nullopt, 2, kSprayFlow},
        {"scaled across", [&](Desk& d) { return d.take_brush(block), d.scale_brush(3, 1); },
         std::nullopt, 6, kSprayFlow},
        {"too large to scale", [&](Desk& d) { return d.take_brush(block), !d.scale_brush(200, 1); },
         std::nullopt, 2, kSprayFlow},
        {"a trickle", [](Desk& d) { return d.set_spray_flow(1), true; }, std::nullopt, 0,
         kLeastSprayFlow},
        {"a flood", [](Desk& d) { return d.set_spray_flow(99999), true; }, std::nullopt, 0,
         kMostSprayFlow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Desk fresh;
        EXPECT_TRUE(row.change(fresh));
        const std::optional<Brush>& brush = fresh.painter().pen.brush;
        EXPECT_EQ(brush ? brush->block().width : 0, row.width);
        if (brush) {
            EXPECT_EQ(brush->transparent, row.transparent);
        }
        EXPECT_EQ(fresh.painter().spray_flow, row.flow);
    }
}

// A plot the colour limit refuses is reported with its pixel, and the full cell's words name
// it; one that is painted, or refused by no choice, reports none.
TEST_F(HandTest, ARefusedPlotIsReportedWithTheFullCell) {
    const struct {
        const char* name;
        FullCell choice;
        PixelPos at;
        std::uint8_t color;
        std::optional<PixelPos> refused;
    } rows[] = {
        {"a fourth colour kept out", FullCell::KeepColours, {69, 43}, 9, PixelPos{69, 43}},
        {"a fourth colour refused", FullCell::RefuseFourth, {69, 43}, 9, PixelPos{69, 43}},
        {"a colour the cell holds", FullCell::KeepColours, {70, 40}, 1, std::nullopt},
        {"painted freely", FullCell::PaintFreely, {69, 43}, 9, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        document.reset();
        // Cell 17, 5 holds white, red and cyan besides the black background.
        set({68, 40}, 1), set({69, 40}, 2), set({70, 40}, 3);
        desk.choose_full_cell(row.choice);
        Document::Edit edit = desk.open_edit("Paint");
        desk.painter().paint(row.at, row.color);
        EXPECT_EQ(desk.painter().take_report().refused, row.refused);
    }
    EXPECT_EQ(full_area_text(*desk.full_area({69, 43})), "Cell 17, 5 is full: white, red, cyan");
}
