// The tools on a document alone: what each paints, what it asks the view to draw, and the
// steps it makes.
#include "desk/desk.h"
#include "raster/raster.h"
#include "sprites/sprite_pixels.h"
#include "tools/painter.h"
#include "tools/tool_table.h"
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace {

using Button = MouseButton;

// Rows of hex digits, "/" between rows, as a block.
PixelBlock block_of(std::string_view digits) {
    PixelBlock block{int(std::min(digits.find('/'), digits.size())), 0, {}};
    for (char digit : digits)
        if (digit != '/')
            block.pixels.push_back(std::uint8_t(std::stoi(std::string(1, digit), nullptr, 16)));
    block.height = int(block.pixels.size()) / block.width;
    return block;
}

// What a tool drew in the view since it was last redrawn, pixel by pixel, and what it asked.
struct RecordedView : ToolView {
    std::map<std::pair<int, int>, std::uint8_t> drawn;
    int redraws = 0;
    PixelPos cursor{-1, -1};
    int chosen = -1;
    void draw_pixel(PixelPos at, std::uint8_t color) override {
        drawn[{at.column, at.row}] = color;
    }
    void redraw() override { ++redraws, drawn.clear(); }
    void set_cursor(PixelPos at) override { cursor = at; }
    void choose_colour(std::uint8_t color) override { chosen = color; }
    std::vector<InkedPixel> tip;
    bool tip_outline = false;
    void show_tip(std::vector<InkedPixel> pixels, bool outline) override {
        tip = std::move(pixels), tip_outline = outline;
    }
    bool shows(PixelPos at, std::uint8_t color) const {
        return drawn.contains({at.column, at.row}) && drawn.at({at.column, at.row}) == color;
    }
};

// A desk and what a tool works with, the pointer handed over as the zoom view hands it.
struct Tools : ::testing::Test {
    Desk desk;
    Document& document = desk.document();
    Painter& painter = desk.painter();
    RecordedView view;
    ToolContext context = desk.tools(view);
    std::unique_ptr<Tool> tool = tool_row(toolFreePaint)->make();

    void use(std::uint8_t tool_mode) { tool = tool_row(tool_mode)->make(); }
    // The document as at a start, the view as just drawn.
    void fresh() {
        desk.end_stroke();
        document.reset();
        view.drawn.clear();
    }
    // After each event the zoom view shows each pixel painted as it was painted.
    int painted = 0;            // pixels painted and shown, one for each plot
    std::string sprite_refusal; // the last the status bar was given
    void show_painting() {
        const PaintReport report = painter.take_report();
        if (!report.sprite_refusal.empty()) sprite_refusal = report.sprite_refusal;
        painted += int(report.pixels.size());
        for (PixelPos at : report.pixels) view.draw_pixel(at, pixel(at.column, at.row));
    }
    // At `at` in the pixels the tool works in: the screen's while it paints into the sprites.
    PointerEvent pointer(PixelPos at, Button button, bool left, bool right, bool shift) const {
        const bool screen = painter.target == PaintTarget::Sprites && tool->paints();
        const int aspect = document.mode().shape.pixel_aspect;
        return {at,   at,    button,
                left, right, shift,
                true, false, screen ? at : PixelPos{at.column * aspect, at.row}};
    }
    void press(PixelPos at, Button button = Button::Left, bool shift = false) {
        tool->press(context,
                    pointer(at, button, button == Button::Left, button == Button::Right, shift));
        show_painting();
    }
    void move(PixelPos at, bool left = true, bool right = false, bool shift = false) {
        tool->move(context, pointer(at, Button::None, left, right, shift));
        show_painting();
    }
    void release(PixelPos at, Button button = Button::Left, bool shift = false) {
        tool->release(context, pointer(at, button, false, false, shift));
        show_painting();
        desk.end_stroke();
    }
    void click(PixelPos at, Button button = Button::Left) {
        press(at, button);
        release(at, button);
    }
    void drag(PixelPos from, PixelPos to, Button button = Button::Left, bool shift = false) {
        press(from, button, shift);
        move(to, button == Button::Left, button == Button::Right, shift);
        release(to, button, shift);
    }
    // Colours written from (column, row) rightwards, as a picture opened with them holds them.
    void put(int column, int row, std::initializer_list<std::uint8_t> colors) {
        for (std::uint8_t color : colors)
            document.picture[std::size_t(row * 160 + column++)] = color;
    }
    // Rows of hex digits from (column, row) rightwards and down.
    void put_rows(int column, int row, std::string_view digits) {
        const PixelBlock block = block_of(digits);
        for (int i = 0; i < int(block.pixels.size()); ++i)
            put(column + i % block.width, row + i / block.width, {block.pixels[std::size_t(i)]});
    }
    std::uint8_t pixel(int column, int row) const { return document.read_pixel(column, row); }
    // The picture's pixels from (column, row), as put_rows takes them.
    std::string rows_at(int column, int row, int width, int height) const {
        std::string rows;
        for (int r = row; r < row + height; ++r)
            for (int c = column; c < column + width; ++c) {
                if (r > row && c == column) rows += '/';
                rows += "0123456789ABCDEF"[pixel(c, r)];
            }
        return rows;
    }
    // Whether each pixel given holds its colour; the first that does not is named.
    ::testing::AssertionResult holds(std::initializer_list<InkedPixel> pixels) const {
        for (const InkedPixel& p : pixels)
            if (pixel(p.at.column, p.at.row) != p.color)
                return ::testing::AssertionFailure()
                       << p.at.column << "," << p.at.row << " holds "
                       << int(pixel(p.at.column, p.at.row)) << ", not " << int(p.color);
        return ::testing::AssertionSuccess();
    }
    // Every pixel of the picture in `color`.
    std::set<std::pair<int, int>> pixels_in(std::uint8_t color) const {
        std::set<std::pair<int, int>> set;
        for (int row = 0; row < 200; ++row)
            for (int column = 0; column < 160; ++column)
                if (pixel(column, row) == color) set.insert({column, row});
        return set;
    }
    std::string last_step() const { return document.history().undo_label(); }
};

// A stroke with a tool from one pixel to another; a fill presses the first.
struct ToolStroke {
    const char* tool;
    std::uint8_t tool_mode;
    PixelPos from, to;
    bool shift = false;
};

} // namespace

// Free paint plots each position it is given, left in the draw colour and right in the
// background, and draws what lands; nothing joins one position to the next. A stroke, press
// to release, is one step; one whose every plot was refused is none.
TEST_F(Tools, FreePaintPlotsEachPositionAndAStrokeIsOneStep) {
    document.draw_color = 4;
    press({1, 12});
    for (int column = 2; column <= 9; ++column) move({column, 12});
    release({9, 12});
    for (int column = 1; column <= 9; ++column) EXPECT_EQ(pixel(column, 12), 4) << column;
    EXPECT_TRUE(holds({{{0, 12}, 0}, {{10, 12}, 0}}));
    EXPECT_TRUE(view.shows({5, 12}, 4));
    EXPECT_EQ(view.cursor, (PixelPos{9, 12}));
    EXPECT_EQ(document.history().steps(), 1u);
    EXPECT_EQ(last_step(), "Paint");

    put(0, 16, {2, 5, 7}); // a full cell
    view.drawn.clear();
    drag({3, 16}, {3, 20}); // its background pixels: refused, and not drawn
    EXPECT_EQ(pixel(3, 16), 0);
    EXPECT_TRUE(view.drawn.empty());
    click({2, 16}, Button::Right); // the background over the 7
    EXPECT_EQ(pixel(2, 16), 0);
    EXPECT_TRUE(view.shows({2, 16}, 0));
    EXPECT_EQ(document.history().steps(), 2u);

    fresh();
    document.draw_color = 5;
    put(2, 5, {6});
    move({2, 5}, true, true); // both buttons: the draw colour, then the background
    EXPECT_EQ(pixel(2, 5), 0);
    EXPECT_TRUE(view.shows({2, 5}, 0));
}

// Put char paints the whole cell under a left drag, row by row, each pixel decided on the cell
// as the ones before left it; a press, and a right drag, paint single pixels.
TEST_F(Tools, PutCharPaintsTheCellInRowOrder) {
    use(toolPutChar);
    document.draw_color = 2;
    put(4, 15, {2, 5, 7}); // the cell's bottom row: 2 5 7 0
    move({5, 9});
    EXPECT_EQ(view.cursor, (PixelPos{4, 8}));
    EXPECT_EQ(rows_at(4, 8, 4, 8), "0000/0000/0000/0000/0000/0000/0000/2222");
    for (int c = 4; c < 8; ++c) EXPECT_TRUE(view.shows({c, 15}, 2));
    EXPECT_FALSE(view.drawn.contains({4, 8})); // refused: still as it was

    fresh();
    document.draw_color = 2;
    put(4, 8, {2, 5, 7}); // the same colours in the top row
    move({6, 14});
    EXPECT_EQ(rows_at(4, 8, 4, 8), "2222/2222/2222/2222/2222/2222/2222/2222");

    fresh();
    document.draw_color = 1;
    click({5, 9});
    EXPECT_TRUE(holds({{{5, 9}, 1}, {{4, 8}, 0}}));
    put(4, 8, {3}), put(5, 9, {3, 3});
    move({5, 9}, false, true);
    EXPECT_TRUE(holds({{{5, 9}, 0}, {{4, 8}, 3}, {{6, 9}, 3}}));
}

// A fill paints its area pixel by pixel through the cell rules, in the fill's order, so a cell
// that already holds three colours keeps its background; it is one step. Filling with the
// area's own colour makes none.
TEST_F(Tools, FillCoversItsAreaThroughTheCellRulesAsOneStep) {
    use(toolFill);
    document.draw_color = 6;
    press({3, 4});
    EXPECT_TRUE(std::all_of(document.picture.begin(), document.picture.begin() + kPictureBytes,
                            [](std::uint8_t p) { return p == 6; }));
    EXPECT_EQ(document.history().steps(), 1u);
    EXPECT_EQ(last_step(), "Fill");
    document.undo();
    EXPECT_EQ(pixel(100, 100), 0);

    fresh();
    for (int c = 0; c < 160; ++c) put(c, 30, {11}); // a wall: the area lies above it
    put(4, 8, {2, 5, 7}), put(9, 13, {3, 4});
    PictureModel expected;
    expected.picture = document.picture;
    for (PixelPos at : fill_area(multicolor_grid(expected.picture), {1, 1}))
        expected.plot_pixel(fmtMulticolor, at.column, at.row, 9);
    document.draw_color = 9;
    press({1, 1});
    EXPECT_EQ(document.picture, expected.picture);
    // refused at (7, 9): its cell counts three colours; (50, 31) lies beyond the wall
    EXPECT_TRUE(holds({{{7, 9}, 0}, {{3, 9}, 9}, {{50, 31}, 0}}));

    fresh();
    document.picture.fill(4);
    document.draw_color = 4;
    press({2, 2});
    EXPECT_FALSE(document.history().can_undo());
    press({2, 2}, Button::Right); // the background colour over 4: a real fill
    EXPECT_EQ(pixel(100, 100), 0);
    EXPECT_EQ(last_step(), "Fill");
}

// While dragged, the view shows the shape as it would be painted and the picture stays; the
// release paints it as one step. A rectangle is outlined, or filled with Shift; the right
// button paints the background. A shape whose every pixel is refused leaves no step, and the
// view is drawn again without it.
TEST_F(Tools, ShapesShowWhileDraggedAndArePaintedOnRelease) {
    use(toolLine);
    document.draw_color = 2;
    press({1, 1});
    move({9, 5});
    move({6, 3});
    EXPECT_EQ(document.picture, PictureModel().picture);
    for (PixelPos at : line_pixels({1, 1}, {6, 3})) EXPECT_TRUE(view.shows(at, 2));
    EXPECT_FALSE(view.drawn.contains({9, 5})); // the band follows the pointer
    release({6, 3});
    for (PixelPos at : line_pixels({1, 1}, {6, 3})) EXPECT_EQ(pixel(at.column, at.row), 2);
    EXPECT_EQ(std::count(document.picture.begin(), document.picture.end(), 2), 6);
    EXPECT_EQ(last_step(), "Line");

    fresh();
    use(toolRectangle);
    document.draw_color = 13;
    drag({8, 6}, {2, 2});
    EXPECT_TRUE(holds({{{2, 2}, 13}, {{8, 6}, 13}, {{5, 4}, 0}}));
    EXPECT_EQ(last_step(), "Rectangle");
    drag({3, 3}, {7, 5}, Button::Left, true);
    EXPECT_EQ(pixel(5, 4), 13);
    drag({4, 4}, {6, 4}, Button::Right);
    EXPECT_EQ(pixel(5, 4), 0);
    EXPECT_EQ(document.history().steps(), 3u);

    press({8, 8});
    move({10, 10});
    move({11, 11}, false); // its button was let go elsewhere: the shape is dropped
    EXPECT_FALSE(view.drawn.contains({10, 10}));
    release({11, 11});
    EXPECT_EQ(pixel(8, 8), 0);
    EXPECT_EQ(document.history().steps(), 3u);

    fresh();
    use(toolLine);
    put(4, 8, {2, 5, 7});
    document.draw_color = 9;
    press({7, 9});
    move({7, 10});
    EXPECT_TRUE(view.shows({7, 10}, 9));
    const int redraws = view.redraws;
    release({7, 10});
    EXPECT_EQ(pixel(7, 10), 0);
    EXPECT_EQ(view.redraws, redraws + 1);
    EXPECT_FALSE(view.drawn.contains({7, 10}));
    EXPECT_FALSE(document.history().can_undo());
}

// The pixel pressed gives the draw colour, as its palette button would; nothing changes.
TEST_F(Tools, PickColourChoosesThePixelsColour) {
    use(toolPickColour);
    put(3, 2, {5});
    press({3, 2});
    EXPECT_EQ(view.chosen, 5);
    EXPECT_FALSE(document.history().can_undo());
}

// A drag selects from corner to corner, both included; Shift at the release grows it to whole
// cells; a click inside keeps it and a click outside drops it. Nothing is a step.
TEST_F(Tools, SelectMarksTheRectangleDragged) {
    use(toolSelect);
    drag({1, 2}, {6, 4});
    EXPECT_EQ(document.selection(), (PixelArea{1, 2, 6, 3}));
    drag({6, 9}, {5, 10}, Button::Left, true);
    EXPECT_EQ(document.selection(), (PixelArea{4, 8, 4, 8}));
    drag({5, 12}, {5, 12});
    EXPECT_EQ(document.selection(), (PixelArea{4, 8, 4, 8}));
    drag({1, 1}, {1, 1});
    EXPECT_FALSE(document.selection());
    EXPECT_FALSE(document.history().can_undo());
}

// A floating block lands with its top-left pixel at the pixel clicked, selected, as one step:
// through the cell rules, or with Shift as it is.
TEST_F(Tools, APastedBlockLandsWhereClickedThroughTheCellRulesUnlessShiftIsHeld) {
    tool = place_block_tool();
    document.float_block({2, 2, {2, 7, 1, 7}}, {0, 0});
    drag({5, 11}, {5, 11});
    EXPECT_FALSE(document.floating());
    EXPECT_EQ(rows_at(5, 11, 2, 2), "27/17");
    EXPECT_EQ(document.selection(), (PixelArea{5, 11, 2, 2}));
    EXPECT_EQ(last_step(), "Paste");

    fresh();
    put(4, 8, {2}), put(5, 9, {7}), put(7, 15, {1}); // the cell holds red, yellow and white
    for (auto [shift, second] : {std::pair{false, 0}, {true, 13}}) {
        document.float_block({2, 1, {14, 13}}, {0, 0});
        drag({4, 8}, {4, 8}, Button::Left, shift);
        EXPECT_EQ(pixel(4, 8), 14);     // red may become light blue
        EXPECT_EQ(pixel(5, 8), second); // a fourth colour on the background is refused
    }
}

// Onto a full cell's background: refused under the model's own rule (a paste keeps its own and
// refuses only a fourth colour), accepted under the other choice, by every tool.
TEST_F(Tools, EveryToolFollowsTheFullCellChoice) {
    const struct {
        ToolStroke stroke;
        Ink ink = {}; // of 16/16: the second colour, 2, over a draw colour of 6
        Symmetry symmetry = {};
    } strokes[] = {
        {{"free paint", toolFreePaint, {7, 9}, {7, 9}}},
        {{"Put char", toolPutChar, {7, 9}, {7, 9}}},
        {{"fill", toolFill, {7, 9}, {7, 9}}},
        {{"line", toolLine, {7, 9}, {7, 12}}},
        {{"rectangle", toolRectangle, {7, 9}, {7, 12}}},
        {{"ellipse", toolEllipse, {7, 9}, {8, 12}}},
        {{"a pattern's second colour", toolFreePaint, {7, 9}, {7, 9}},
         {{kDitherLevels}, 2, false, std::nullopt}},
        {{"a mirror image", toolFreePaint, {13, 9}, {13, 9}},
         {},
         Symmetry::about_pixel(SymmetryKind::LeftRight, {10, 9})},
        {{"paste", 0, {7, 9}, {7, 9}}},
    };
    for (const auto& [s, ink, symmetry] : strokes) {
        const bool paste = s.tool_mode == 0;
        for (FullCell choice :
             {FullCell::KeepColours, paste ? FullCell::PaintFreely : FullCell::RefuseFourth}) {
            SCOPED_TRACE(s.tool);
            fresh();
            put(4, 15, {2, 5, 7}); // full, even for Put char
            painter.full_cell = choice;
            painter.ink = ink, painter.symmetry = symmetry;
            const std::uint8_t painted = paste ? 9 : 2;
            document.draw_color = ink.pattern.index ? 6 : painted;
            if (paste) tool = place_block_tool(), document.float_block({1, 1, {9}}, {0, 0});
            if (!paste) use(s.tool_mode);
            drag(s.from, s.to);
            EXPECT_EQ(pixel(7, 9), choice == FullCell::KeepColours ? 0 : painted);
        }
    }
}

// A PAL blend puts its colours on alternating picture rows whatever tool paints with it, so
// that areas painted apart meet without a seam, and each pixel goes through the full-cell
// choice: refusing a fourth colour, a cell already holding three takes the rows of the colour
// it has and refuses those of the colour it lacks. The right button still paints the
// background.
TEST_F(Tools, APalBlendAlternatesByPictureRowThroughTheCellRules) {
    const PalBlend blend{2, 8};
    const ToolStroke strokes[] = {
        {"free paint", toolFreePaint, {7, 9}, {7, 10}},
        {"Put char", toolPutChar, {6, 9}, {6, 9}},
        {"fill", toolFill, {7, 9}, {7, 9}},
        {"line", toolLine, {7, 3}, {7, 12}},
        {"rectangle", toolRectangle, {5, 9}, {30, 40}, true},
    };
    for (const ToolStroke& s : strokes) {
        SCOPED_TRACE(s.tool);
        fresh();
        use(s.tool_mode);
        put(4, 15, {2, 5, 7}); // a full cell: 2, 5, 7 and the background
        painter.blend = blend;
        painter.full_cell = FullCell::RefuseFourth;
        document.draw_color = blend.first;
        drag(s.from, s.to, Button::Left, s.shift);
        EXPECT_EQ(pixel(7, 9), 0);  // a row of 8, which the full cell lacks
        EXPECT_EQ(pixel(7, 10), 2); // a row of 2, which it has
        int painted = 0;
        for (int row = 0; row < 200; ++row)
            for (int column = 0; column < 160; ++column) {
                const std::uint8_t at = pixel(column, row);
                if (at == 0 || (row == 15 && column >= 4 && column < 8)) continue;
                EXPECT_EQ(at, blend.color_on_row(row)) << column << "," << row;
                ++painted;
            }
        EXPECT_GT(painted, 0);
        put(7, 10, {3});
        drag({7, 10}, {7, 10}, Button::Right);
        EXPECT_EQ(pixel(7, 10), 0);
    }
}

// The recoloured pixels show at once, and the whole stroke goes with one undo.
TEST_F(Tools, AReplacingStrokeShowsAndIsOneStep) {
    put(4, 8, {2, 5, 7}), put(4, 9, {5});
    painter.full_cell = FullCell::ReplaceColour;
    document.draw_color = 9;
    const auto before = document.picture;
    press({5, 8}); // over a 5: every 5 of the cell becomes 9
    move({7, 9});  // onto the background, with a colour the cell now holds
    release({7, 9});
    EXPECT_EQ(rows_at(4, 8, 4, 2), "2970/9009");
    EXPECT_TRUE(view.shows({4, 9}, 9));
    EXPECT_TRUE(view.shows({5, 8}, 9));
    EXPECT_EQ(last_step(), "Paint");
    document.undo();
    EXPECT_EQ(document.picture, before);
}

// A fast drag with the pen leaves no gap at any size, in either mode: every pixel of the path
// the pointer's positions mark is painted, what is painted is one piece, and its extent is the
// path's grown by the pen (n rows high, and in pixels twice as wide n / 2 columns, rounded up).
// The drag is one step.
TEST_F(Tools, APenDragLeavesNoGap) {
    const struct {
        std::uint8_t format;
        PenShape shape;
        int size;
        std::vector<PixelPos> path;
        PixelArea extent; // worked out by hand
    } drags[] = {
        {fmtMulticolor, PenShape::Round, 1, {{0, 0}, {40, 30}}, {0, 0, 41, 31}},
        {fmtMulticolor, PenShape::Round, 1, {{150, 5}, {3, 190}, {159, 199}}, {3, 5, 157, 195}},
        {fmtFli, PenShape::Round, 1, {{10, 10}, {11, 100}, {90, 101}}, {10, 10, 81, 92}},
        {fmtMulticolor, PenShape::Square, 3, {{20, 20}, {60, 120}}, {19, 19, 42, 103}},
        {fmtMulticolor, PenShape::Round, 8, {{10, 50}, {100, 50}}, {8, 46, 94, 8}},
        {fmtFli, PenShape::Round, 8, {{30, 30}, {5, 170}, {120, 60}}, {3, 26, 119, 148}},
        // off the picture's edge: cut there
        {fmtMulticolor, PenShape::Square, 4, {{1, 1}, {0, 0}}, {0, 0, 2, 3}},
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(::testing::Message()
                     << "size " << d.size << " from " << d.path[0].column << "," << d.path[0].row);
        fresh();
        document.format_value() = d.format;
        use(toolPen);
        painter.pen = {d.shape, d.size, std::nullopt};
        document.draw_color = 6;
        press(d.path.front());
        for (std::size_t i = 1; i < d.path.size(); ++i) move(d.path[i]);
        release(d.path.back());
        std::set<std::pair<int, int>> painted;
        PixelArea extent{d.path[0].column, d.path[0].row, 1, 1};
        for (int row = 0; row < 200; ++row)
            for (int column = 0; column < 160; ++column)
                if (pixel(column, row) == 6) {
                    painted.insert({column, row});
                    extent = united(extent, {column, row, 1, 1});
                }
        for (std::size_t i = 1; i < d.path.size(); ++i)
            for (PixelPos at : line_pixels(d.path[i - 1], d.path[i]))
                EXPECT_TRUE(painted.contains({at.column, at.row})) << at.column << "," << at.row;
        std::set<std::pair<int, int>> reached{*painted.begin()};
        std::vector<std::pair<int, int>> todo{*painted.begin()};
        while (!todo.empty()) {
            const auto [column, row] = todo.back();
            todo.pop_back();
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (painted.contains({column + dx, row + dy}) &&
                        reached.insert({column + dx, row + dy}).second)
                        todo.push_back({column + dx, row + dy});
        }
        EXPECT_EQ(reached.size(), painted.size());
        EXPECT_EQ(extent, d.extent);
        EXPECT_EQ(document.history().steps(), 1u);
        document.undo();
        EXPECT_EQ(std::count(document.picture.begin(), document.picture.end(), 6), 0);
    }
}

// A brush, changed and stamped by a click, against the pixels worked out by hand, on black: its
// middle lands under the pointer; background pixels are left out unless it is opaque; the right
// button stamps its shape in the background colour; each pixel goes through the full-cell
// choice. The changes: X flips left to right, Y top to bottom, Z turns clockwise on screen (a
// multicolour pixel is two squares wide), H doubles, h halves, O makes it opaque, R clicks with
// the right button. Brushes and the pixels from (8, 16) are rows of hex digits.
TEST_F(Tools, ABrushStampsAsChangedThroughTheCellRules) {
    using enum FullCell;
    const struct {
        const char *brush, *changes;
        FullCell choice;
        PixelPos at;
        const char *before, *after;
    } stamps[] = {
        {"15/05", "", KeepColours, {10, 17}, "00000000/05000000", "01500000/05500000"},
        {"15/05", "O", KeepColours, {10, 17}, "00000000/05000000", "01500000/00500000"},
        {"15/05", "R", KeepColours, {10, 17}, "77777777/77777777", "70077777/77077777"},
        {"123", "X", KeepColours, {10, 16}, "00000000", "03210000"},
        {"123", "XX", KeepColours, {10, 16}, "00000000", "01230000"},
        {"1/2", "Y", KeepColours, {9, 17}, "0000/0000", "0200/0100"},
        {"12", "Z", KeepColours, {9, 18}, "0000/0000/0000/0000", "0100/0100/0200/0200"},
        {"12", "ZZZ", KeepColours, {9, 18}, "0000/0000/0000/0000", "0200/0200/0100/0100"},
        {"1/2/3/4", "Z", KeepColours, {10, 17}, "0000/0000", "0420/0420"},
        {"1/2/3/4", "ZZZ", KeepColours, {10, 17}, "0000/0000", "0130/0130"},
        {"12/30", "ZZ", KeepColours, {10, 17}, "0000/0000", "0030/0210"},
        {"12/30", "ZZZZ", KeepColours, {10, 17}, "0000/0000", "0120/0300"},
        // a flip mirrors what the turns made: one pixel wide, it stays as it is
        {"1/2/3/4", "ZX", KeepColours, {10, 17}, "0000/0000", "0240/0240"},
        {"12/30", "ZX", KeepColours, {9, 18}, "0000/0000/0000/0000", "0300/0300/0000/0000"},
        {"12/30", "XZ", KeepColours, {9, 18}, "0000/0000/0000/0000", "0000/0000/0300/0300"},
        {"12", "H", KeepColours, {11, 17}, "00000000/00000000", "01122000/01122000"},
        {"12", "Hh", KeepColours, {10, 16}, "00000000", "01200000"},
        {"1122/1122/3300/3300", "h", KeepColours, {10, 17}, "0000/0000", "0120/0300"},
        // a full cell (2 5 7 over 2): the worked examples of the full-cell rules, twice
        {"9/9", "", KeepColours, {11, 17}, "2570/2000", "2570/2000"},
        {"9/9", "", RefuseFourth, {11, 17}, "2570/2000", "2570/2000"},
        {"9/9", "", ReplaceColour, {11, 17}, "2570/2000", "2599/2009"},
        {"9/9", "", NearestColour, {11, 17}, "2570/2000", "2572/2002"},
        {"9/9", "", PaintFreely, {11, 17}, "2570/2000", "2579/2009"},
    };
    for (const auto& s : stamps) {
        SCOPED_TRACE(std::string(s.brush) + " " + s.changes);
        fresh();
        use(toolPen);
        Brush& brush = painter.pen.brush.emplace(block_of(s.brush), 2);
        Button button = Button::Left;
        bool resized = true;
        for (char change : std::string_view(s.changes)) {
            if (change == 'X') brush.flip_left_right();
            if (change == 'Y') brush.flip_top_bottom();
            if (change == 'Z') brush.turn();
            if (change == 'H') resized = brush.double_size() && resized;
            if (change == 'h') resized = brush.halve_size() && resized;
            if (change == 'O') brush.opaque = true;
            if (change == 'R') button = Button::Right;
        }
        EXPECT_TRUE(resized);
        painter.full_cell = s.choice;
        put_rows(8, 16, s.before);
        document.draw_color = 4;
        click(s.at, button);
        const PixelBlock before = block_of(s.before);
        EXPECT_EQ(rows_at(8, 16, before.width, before.height), s.after);
        EXPECT_EQ(document.history().steps(), std::string(s.after) == s.before ? 0u : 1u);
    }
}

// The pen's or brush's pixels follow the pointer while no button is held: the pen as an
// outline, the brush as it would stamp. The line tool draws with the brush too: where its
// stamps overlap, the last one's colour stays.
TEST_F(Tools, ThePenShowsUnderThePointerAndShapesUseIt) {
    use(toolPen);
    painter.pen = {PenShape::Square, 2, std::nullopt};
    document.draw_color = 1;
    move({30, 40}, false);
    EXPECT_TRUE(view.tip_outline);
    EXPECT_EQ(view.tip, (std::vector<InkedPixel>{{{30, 39}, 1}, {{30, 40}, 1}}));
    painter.pen.brush.emplace(PixelBlock{2, 1, {3, 5}}, 2);
    move({30, 40}, false);
    EXPECT_FALSE(view.tip_outline);
    EXPECT_EQ(view.tip, (std::vector<InkedPixel>{{{29, 40}, 3}, {{30, 40}, 5}}));
    EXPECT_EQ(document.history().steps(), 0u);

    use(toolLine);
    drag({10, 10}, {12, 10});
    EXPECT_EQ(rows_at(8, 10, 6, 1), "033350");
    EXPECT_EQ(last_step(), "Line");
}

// Each row of the table has a tool of its own and a button; none shares them.
TEST(ToolTable, EachToolHasItsOwnModeAndButton) {
    std::set<std::uint8_t> modes;
    std::set<std::string> buttons;
    for (const ToolRow& row : tool_rows()) {
        EXPECT_TRUE(modes.insert(row.tool_mode).second) << row.button;
        EXPECT_TRUE(buttons.insert(row.button).second) << row.button;
        EXPECT_EQ(tool_row(row.tool_mode), &row);
        EXPECT_NE(row.make(), nullptr);
    }
    EXPECT_EQ(tool_row(toolFreePaint)->button, std::string("tool_b2"));
    EXPECT_EQ(tool_row(0), nullptr);
}

// The ellipse fills the box dragged, as the view showed it while dragged, outlined or with
// Shift filled, in one step; with Ctrl its box is as high as a circle's on screen (pixels twice
// as wide as high), the larger side winning, in the drag's direction.
TEST_F(Tools, TheEllipseFillsItsBoxAndCtrlKeepsACircleOnScreen) {
    const struct {
        PixelPos from, to;
        bool shift, ctrl;
        PixelPos corner; // the far corner of the ellipse's box
    } drags[] = {
        {{10, 20}, {30, 40}, false, false, {30, 40}},   {{10, 20}, {30, 40}, true, false, {30, 40}},
        {{40, 60}, {50, 61}, false, true, {50, 81}},    // 11 columns: 22 rows high
        {{40, 60}, {45, 99}, false, true, {59, 99}},    // 40 rows: 20 columns across
        {{40, 60}, {30, 50}, true, true, {30, 39}},     // up and left
        {{70, 100}, {70, 100}, false, true, {70, 101}}, // one pixel: two rows high
    };
    use(toolEllipse);
    for (const auto& d : drags) {
        SCOPED_TRACE(::testing::Message() << d.to.column << "," << d.to.row << " shift " << d.shift
                                          << " ctrl " << d.ctrl);
        fresh();
        document.draw_color = 5;
        auto event = [&](PixelPos at, Button button, bool held) {
            return PointerEvent{at, at, button, held, false, d.shift, true, d.ctrl};
        };
        tool->press(context, event(d.from, Button::Left, true));
        tool->move(context, event(d.to, Button::None, true));
        std::set<std::pair<int, int>> expected;
        for (PixelPos at : ellipse_pixels(d.from, d.corner, d.shift)) {
            expected.insert({at.column, at.row});
            EXPECT_TRUE(view.shows(at, 5)) << at.column << "," << at.row;
        }
        EXPECT_EQ(view.drawn.size(), expected.size());
        EXPECT_TRUE(pixels_in(5).empty());
        tool->release(context, event(d.to, Button::Left, false));
        EXPECT_EQ(pixels_in(5), expected);
        EXPECT_EQ(last_step(), "Ellipse");
        EXPECT_EQ(document.history().steps(), 1u);
    }
}

// A filled rectangle or ellipse covers exactly the box dragged (or the ellipse in it), whatever
// the pen or brush, so that one from cell corner to cell corner fills exactly those cells; the
// pen or brush draws only outlines, which reach past the box.
TEST_F(Tools, FilledShapesKeepToTheBoxDragged) {
    const struct {
        const char* what;
        std::uint8_t tool;
        bool filled;
        int pen_size; // 0: a brush
        PixelPos from, to;
    } shapes[] = {
        {"cells 2..4, 1..2, with a 4-pixel pen", toolRectangle, true, 4, {8, 8}, {19, 23}},
        {"the other way round, with a brush", toolRectangle, true, 0, {19, 23}, {8, 8}},
        {"an ellipse with an 8-pixel pen", toolEllipse, true, 8, {30, 40}, {50, 70}},
        {"an outline with a 4-pixel pen", toolRectangle, false, 4, {8, 8}, {19, 23}},
    };
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.what);
        fresh();
        use(s.tool);
        painter.pen = {PenShape::Square, std::max(1, s.pen_size), std::nullopt};
        if (s.pen_size == 0) painter.pen.brush.emplace(block_of("3333/3333/3333"), 2);
        document.draw_color = 5;
        drag(s.from, s.to, Button::Left, s.filled);
        std::set<std::pair<int, int>> box;
        for (PixelPos at : s.tool == toolRectangle ? rectangle_pixels(s.from, s.to, true)
                                                   : ellipse_pixels(s.from, s.to, true))
            box.insert({at.column, at.row});
        const auto painted = pixels_in(5);
        if (s.filled)
            EXPECT_EQ(painted, box);
        else // the pen reaches past the box
            EXPECT_FALSE(std::ranges::includes(box, painted));
    }
}

// Every tool that paints in one colour paints through the pattern, anchored to the picture's
// pixels: the second colour, or with the transparent switch what was there, in the pattern's
// places. A brush's own colours stay as they are.
TEST_F(Tools, PatternsPaintTheSecondColourInTheirPlacesWhateverTheTool) {
    const struct {
        const char* name;
        int pattern;
        bool transparent;
        std::uint8_t tool;
        PixelPos from, to; // a filled rectangle, a fill's press, or a pen's drag
        const char* rows;  // from (8, 4), 4 x 4, as was: 3 in its left column
    } cases[] = {
        {"solid", 0, false, toolRectangle, {8, 4}, {11, 7}, "1111/1111/1111/1111"},
        {"0/16", 1, false, toolRectangle, {8, 4}, {11, 7}, "1111/1111/1111/1111"},
        {"1/16", 2, false, toolRectangle, {8, 4}, {11, 7}, "2111/1111/1111/1111"},
        {"4/16", 5, false, toolRectangle, {8, 4}, {11, 7}, "2121/1111/2121/1111"},
        {"8/16", 9, false, toolRectangle, {8, 4}, {11, 7}, "2121/1212/2121/1212"},
        {"15/16", 16, false, toolRectangle, {8, 4}, {11, 7}, "2222/2222/2222/1222"},
        {"16/16", 17, false, toolRectangle, {8, 4}, {11, 7}, "2222/2222/2222/2222"},
        {"rows", 18, false, toolRectangle, {8, 4}, {11, 7}, "1111/2222/1111/2222"},
        {"columns", 19, false, toolRectangle, {8, 4}, {11, 7}, "1212/1212/1212/1212"},
        {"anchored", 9, false, toolRectangle, {9, 5}, {11, 7}, "3000/3212/3121/3212"},
        {"transparent", 9, true, toolRectangle, {8, 4}, {11, 7}, "3101/1010/3101/1010"},
        {"fill", 9, false, toolFill, {9, 5}, {9, 5}, "3121/3212/3121/3212"},
        {"pen", 18, false, toolPen, {10, 4}, {10, 7}, "3010/3020/3010/3020"},
        {"line", 19, true, toolLine, {8, 5}, {11, 5}, "3000/1010/3000/3000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        put_rows(8, 4, "3/3/3/3");
        use(c.tool);
        painter.ink = {{c.pattern}, 2, c.transparent, std::nullopt};
        painter.full_cell = FullCell::PaintFreely; // the cell rules have a test of their own
        document.draw_color = 1;
        drag(c.from, c.to, Button::Left, true);
        EXPECT_EQ(rows_at(8, 4, 4, 4), c.rows);
        EXPECT_EQ(document.history().steps(), 1u);
    }

    fresh();
    use(toolPen);
    painter.pen.brush.emplace(block_of("4646"), 2);
    painter.ink = {{9}, 2, false, std::nullopt};
    drag({22, 10}, {22, 10});
    EXPECT_EQ(rows_at(20, 10, 4, 1), "4646");
}

// With a symmetry on, every painting tool paints the mirror images of what it paints without
// one, in the same step: about the picture's middle (between columns 79 and 80, rows 99 and
// 100) or about a pixel.
TEST_F(Tools, EveryPaintingToolPaintsTheMirrorImagesToo) {
    const struct {
        const char* name;
        std::uint8_t tool;
        PixelPos from, to;
        PenShape shape;
        int size;
    } strokes[] = {
        {"free paint", toolFreePaint, {10, 12}, {13, 30}, PenShape::Round, 1},
        {"put char", toolPutChar, {10, 12}, {10, 12}, PenShape::Round, 1},
        {"pen", toolPen, {10, 12}, {40, 20}, PenShape::Round, 5},
        {"line", toolLine, {3, 4}, {70, 50}, PenShape::Round, 1},
        {"rectangle", toolRectangle, {5, 6}, {30, 90}, PenShape::Square, 2},
        {"ellipse", toolEllipse, {5, 6}, {30, 90}, PenShape::Round, 1},
        {"fill", toolFill, {10, 12}, {10, 12}, PenShape::Round, 1},
        {"spray", toolSpray, {10, 12}, {30, 40}, PenShape::Round, 1},
        {"brush", toolPen, {10, 12}, {30, 40}, PenShape::Round, 0},
    };
    const Symmetry symmetries[] = {
        Symmetry::about_middle(SymmetryKind::LeftRight, {0, 0, 160, 200}),
        Symmetry::about_middle(SymmetryKind::TopBottom, {0, 0, 160, 200}),
        Symmetry::about_middle(SymmetryKind::FourWay, {0, 0, 160, 200}),
        Symmetry::about_pixel(SymmetryKind::FourWay, {50, 60}),
    };
    for (const auto& s : strokes)
        for (const Symmetry& symmetry : symmetries) {
            SCOPED_TRACE(::testing::Message() << s.name << ", kind " << int(symmetry.kind)
                                              << " about " << symmetry.twice_column);
            auto paint = [&](Symmetry with) {
                fresh();
                // a row of 3 keeps the fill's area to the picture's upper half
                for (int column = 0; column < 160; ++column) put(column, 100, {3});
                use(s.tool);
                painter.symmetry = with;
                painter.pen = {s.shape, s.size, std::nullopt};
                if (s.size == 0) // a brush of three colours, none symmetric
                    painter.pen.brush.emplace(block_of("770/070"), 2);
                document.draw_color = 7;
                drag(s.from, s.to);
                return pixels_in(7);
            };
            std::set<std::pair<int, int>> expected;
            for (auto [column, row] : paint({}))
                symmetry.images({column, row}, [&](PixelPos image) {
                    if (document.whole().contains(image))
                        expected.insert({image.column, image.row});
                });
            EXPECT_EQ(paint(symmetry), expected);
            EXPECT_EQ(document.history().steps(), 1u);
        }
}

// The spray sprinkles the draw colour in a round area under the pointer (8 rows from the
// middle with the one-pixel pen, 4 more for each size up, and as far on screen across), at the
// press and at each tick the button is held (40 ms), as many dots as its flow gives that time
// (rounded, and never less than 25 a second), the same pixels for each stroke from the same
// point; a move takes it along without sprinkling. A stroke is one step.
TEST_F(Tools, TheSprayFollowsThePenSizeAndItsFlow) {
    const struct {
        int pen_size, flow, ticks;
        int dots, radius;
    } sprays[] = {
        {1, 150, 0, 6, 8},      {1, 150, 5, 36, 8},    {1, 150, 40, 246, 8},
        {3, 150, 40, 246, 16},  {8, 150, 40, 246, 36}, {1, 1000, 9, 400, 8},
        {1, 30, 9, 12, 8},      {1, 5, 9, 10, 8}, // 25 a second at least: a dot a tick
        {1, 100000, 1, 200, 8},                   // 2500 a second at most
    };
    painter.full_cell = FullCell::PaintFreely; // every dot is plotted
    use(toolSpray);
    for (const auto& s : sprays) {
        SCOPED_TRACE(::testing::Message()
                     << "pen " << s.pen_size << ", flow " << s.flow << ", " << s.ticks << " ticks");
        auto sprayed = [&] {
            fresh();
            painted = 0;
            painter.pen.size = s.pen_size;
            painter.spray_flow = s.flow;
            document.draw_color = 9;
            press({80, 100});
            for (int i = 0; i < s.ticks; ++i) tool->tick(context);
            move({90, 100});
            release({90, 100});
            return pixels_in(9);
        };
        const auto pixels = sprayed();
        EXPECT_EQ(painted, s.dots);
        int reach = 0;
        for (auto [column, row] : pixels) {
            const int across = 2 * (column - 80), down = row - 100;
            reach = std::max(reach, across * across + down * down);
        }
        EXPECT_LE(reach, s.radius * s.radius);
        if (s.dots > 200) { // then some land near the edge
            EXPECT_GT(reach, (s.radius - 2) * (s.radius - 2));
        }
        EXPECT_EQ(sprayed(), pixels);
        EXPECT_EQ(document.history().steps(), 1u);
        EXPECT_EQ(last_step(), "Paint");
    }
    tool->tick(context); // none under way: nothing
    EXPECT_EQ(document.history().steps(), 1u);
}

// A gradient runs from the draw colour to the second colour along the drag, over what the
// rectangle or the fill covers: a fill's click runs top to bottom. Measured in bands four
// pixels deep across the run, the second colour's share starts near none, ends near all, and
// never grows by more than one level (a sixteenth) from one band to the next.
TEST_F(Tools, GradientsRunAlongTheDragWithoutSkippingALevel) {
    const struct {
        const char* name;
        std::uint8_t tool;
        PixelPos from, to;
        bool rows;     // the bands are rows (else columns)
        bool reversed; // the run goes up or left
        PixelArea area;
    } runs[] = {
        {"rectangle down", toolRectangle, {0, 0}, {3, 199}, true, false, {0, 0, 4, 200}},
        {"rectangle up", toolRectangle, {8, 199}, {11, 0}, true, true, {8, 0, 4, 200}},
        {"lower half", toolRectangle, {20, 100}, {23, 199}, true, false, {20, 100, 4, 100}},
        {"fill click", toolFill, {50, 50}, {50, 50}, true, false, {0, 0, 160, 200}},
        {"fill left", toolFill, {100, 50}, {20, 50}, false, true, {0, 0, 160, 200}},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.name);
        fresh();
        use(r.tool);
        painter.full_cell = FullCell::PaintFreely;
        painter.ink = {{kPatterns - 1}, 2, false, std::nullopt};
        document.draw_color = 1;
        drag(r.from, r.to, Button::Left, true);
        EXPECT_EQ(document.history().steps(), 1u);
        std::vector<double> shares;
        const int bands = (r.rows ? r.area.height : r.area.width) / 4;
        for (int band = 0; band < bands; ++band) {
            int second = 0, all = 0;
            for (int row = 0; row < r.area.height; ++row)
                for (int column = 0; column < r.area.width; ++column)
                    if ((r.rows ? row : column) / 4 == band) {
                        second += pixel(r.area.left + column, r.area.top + row) == 2;
                        ++all;
                    }
            shares.push_back(double(second) / all);
        }
        if (r.reversed) std::ranges::reverse(shares);
        EXPECT_LE(shares.front(), 1 / 16.0);
        EXPECT_GE(shares.back(), 15 / 16.0);
        for (std::size_t i = 1; i < shares.size(); ++i) {
            EXPECT_GE(shares[i], shares[i - 1]) << i;
            EXPECT_LE(shares[i] - shares[i - 1], 1 / 16.0 + 1e-9) << i;
        }
    }
}

namespace {

// What painting left behind: the picture, and the analysis its last plot showed.
struct PaintedPicture {
    StoredPicture pixels;
    std::array<std::uint8_t, 6> analysis;
};

// Paints `ink` in colour 6 over a picture of crowded cells (from none to five colours
// besides the background, background pixels among them), at once as a shape is painted, or
// pixel by pixel.
PaintedPicture paint_crowded(std::uint8_t format, FullCell choice, const Ink& ink, bool at_once) {
    Document document{format};
    const Mode& shape = document.mode();
    std::mt19937 random(38);
    for (int row = 0; row < shape.shape.height; ++row)
        for (int column = 0; column < shape.shape.width; ++column) {
            const PixelArea cell = shape.cell_at({column, row});
            const int id = cell.top / cell.height * 40 + cell.left / cell.width;
            const bool background = random() % 4 == 0;
            const std::uint8_t colour = std::uint8_t(1 + (id + random() % (1 + id % 5)) % 15);
            document.picture[std::size_t(row * shape.shape.width + column)] =
                background ? 0 : colour;
        }
    Painter painter{document};
    painter.full_cell = choice;
    painter.ink = ink;
    // From the middle of a cell, so that runs start and end part of the way through cells.
    const PixelPos from{3, 5}, to{shape.shape.width / 3, 70};
    const std::vector<PixelPos> area = rectangle_pixels(from, to, true);
    painter.ink.run = GradientRun::over(area, from, to);
    Document::Edit edit(document, "Paint");
    if (at_once)
        painter.paint_quietly(area, 6);
    else
        for (const InkedPixel& pixel : painter.pixels_at(area, 6, Tip::Pixel))
            painter.plot(pixel.at, pixel.color);
    edit.commit();
    return {document.picture,
            {document.scan_color, document.cell_color1, document.cell_color2, document.cell_color3,
             document.cell_count, document.old_color}};
}

} // namespace

// A shape painted at once decides each pixel as plotting it alone would, under every full-cell
// choice in every mode: a gradient and a transparent dither over crowded cells end alike.
TEST(PaintingAtOnce, EndsAsPlottingPixelByPixel) {
    const Ink inks[] = {{{kPatterns - 1}, 3, false, std::nullopt}, {{9}, 12, true, std::nullopt}};
    for (const Mode& mode : all_modes())
        for (int choice = 0; choice < kFullCellChoices; ++choice)
            for (const Ink& ink : inks) {
                SCOPED_TRACE(::testing::Message()
                             << mode.name << ", choice " << choice << ", " << ink.pattern.name());
                const PaintedPicture at_once =
                    paint_crowded(mode.format, FullCell(choice), ink, true);
                const PaintedPicture alone =
                    paint_crowded(mode.format, FullCell(choice), ink, false);
                const auto differs = std::ranges::mismatch(at_once.pixels, alone.pixels).in1;
                EXPECT_EQ(differs - at_once.pixels.begin(), kStorageBytes)
                    << "the first storage byte that differs";
                EXPECT_EQ(at_once.analysis, alone.analysis);
            }
}

// Painting into the sprites: each tool paints the sprite pixel under the screen pixel, within
// the sprite's colours, the right button clearing it; the picture keeps its pixels, the pixels
// shown over are reported, and the stroke is one step that Undo takes back.
TEST_F(Tools, PaintIntoTheSpritesAtScreenResolution) {
    constexpr std::uint8_t kOwn = 7, kShared0 = 13, kShared1 = 6, kRed = 2;
    const Sprite hires{.x = 10, .y = 5, .colour = kOwn};
    const Sprite multi{.x = 10, .y = 5, .colour = kOwn, .multicolour = true};
    Sprite set_pixel = hires;
    set_pixel.data[1] = 0x80; // screen pixel (18, 5)
    const struct {
        const char* what;
        Sprite sprite;
        std::uint8_t tool;
        Button button;
        std::uint8_t colour;
        int pen; // the pen's size (square), 0 for the one pixel
        SymmetryKind symmetry;
        std::vector<PixelPos> strokes; // pressed at the first, dragged through the rest
        std::map<int, std::optional<std::uint8_t>> shown; // on row 5, by screen column
        std::string refusal;
    } rows[] = {
        {"a hires pixel is half a picture pixel",
         hires,
         toolFreePaint,
         Button::Left,
         kOwn,
         0,
         SymmetryKind::Off,
         {{11, 5}},
         {{10, {}}, {11, kOwn}, {12, {}}},
         ""},
        {"a stroke through the sprite",
         hires,
         toolFreePaint,
         Button::Left,
         kOwn,
         0,
         SymmetryKind::Off,
         {{11, 5}, {14, 5}},
         {{10, {}}, {11, kOwn}, {14, kOwn}, {15, {}}},
         ""},
        {"another colour than a hires sprite's",
         hires,
         toolFreePaint,
         Button::Left,
         kRed,
         0,
         SymmetryKind::Off,
         {{11, 5}},
         {{11, {}}},
         "Sprite 0 cannot show red"},
        {"a shared colour in multicolour",
         multi,
         toolFreePaint,
         Button::Left,
         kShared1,
         0,
         SymmetryKind::Off,
         {{11, 5}},
         {{10, kShared1}, {11, kShared1}, {12, {}}},
         ""},
        {"the right button clears",
         set_pixel,
         toolFreePaint,
         Button::Right,
         0,
         0,
         SymmetryKind::Off,
         {{18, 5}},
         {{18, {}}},
         ""},
        {"past the sprite's box",
         hires,
         toolFreePaint,
         Button::Left,
         kOwn,
         0,
         SymmetryKind::Off,
         {{40, 5}},
         {},
         "No sprite lies there"},
        {"the pen is square on screen",
         hires,
         toolPen,
         Button::Left,
         kOwn,
         3,
         SymmetryKind::Off,
         {{12, 6}},
         {{10, {}}, {11, kOwn}, {13, kOwn}, {14, {}}},
         ""},
        {"mirrored about the screen's middle",
         hires,
         toolFreePaint,
         Button::Left,
         kOwn,
         0,
         SymmetryKind::LeftRight,
         {{11, 5}, {11, 5}},
         {{11, kOwn}, {308, kOwn}},
         ""},
        {"a fill takes the sprite's clear pixels",
         set_pixel,
         toolFill,
         Button::Left,
         kOwn,
         0,
         SymmetryKind::Off,
         {{11, 5}},
         {{10, kOwn}, {33, kOwn}},
         "No sprite lies there"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fresh();
        {
            Document::Edit edit = desk.open_edit("Set Up");
            edit.sprites() = {
                .sprites = {row.sprite}, .shared_colour0 = kShared0, .shared_colour1 = kShared1};
            if (row.symmetry != SymmetryKind::Off) // its mirror image, for the symmetry
                edit.sprites().sprites.push_back({.x = 290, .y = 5, .colour = kOwn});
            edit.commit();
        }
        desk.choose_paint_target(PaintTarget::Sprites);
        desk.change_symmetry([&](SymmetryChoice& s) { s.symmetry.kind = row.symmetry; });
        desk.change_pen([&](Pen& pen) {
            pen.shape = PenShape::Square;
            pen.size = std::max(row.pen, 1);
        });
        desk.choose_colour(row.colour);
        use(row.tool);
        const StoredPicture picture = document.picture;
        const SpriteSet before = document.sprites();
        sprite_refusal.clear();
        press(row.strokes.front(), row.button);
        for (const PixelPos& at : row.strokes)
            move(at, row.button == Button::Left, row.button == Button::Right);
        release(row.strokes.back(), row.button);
        for (const auto& [column, colour] : row.shown)
            EXPECT_EQ(sprite_colour_at(document.sprites(),
                                       *sprite_under(document.sprites(), {column, 5}), {column, 5}),
                      colour)
                << "column " << column;
        EXPECT_EQ(sprite_refusal, row.refusal);
        EXPECT_EQ(document.picture, picture);
        if (document.sprites() == before) continue;
        EXPECT_EQ(document.history().undo_label(), row.tool == toolFill ? "Fill" : "Paint");
        EXPECT_TRUE(desk.undo());
        EXPECT_EQ(document.sprites(), before);
        desk.change_symmetry([](SymmetryChoice& s) { s.symmetry.kind = SymmetryKind::Off; });
    }
}

// The sprite tool: a click on an empty place adds a hires sprite in the draw colour there and
// chooses it, a click on one chooses it, a drag moves it as one step unless the release finds
// a row crowded by it.
TEST_F(Tools, TheSpriteToolAddsChoosesAndMovesSprites) {
    use(toolSprite);
    desk.choose_colour(5);
    click({20, 30}); // picture pixels: screen pixel (40, 30) in multicolour
    ASSERT_EQ(document.sprites().sprites.size(), 1u);
    EXPECT_EQ(document.sprites().sprites[0], (Sprite{.x = 40, .y = 30, .colour = 5}));
    EXPECT_EQ(desk.chosen_sprite(), 0u);
    EXPECT_EQ(document.history().undo_label(), "Add Sprite");

    click({0, 0});
    desk.choose_sprite(1);
    click({21, 31}); // within the first
    EXPECT_EQ(desk.chosen_sprite(), 0u);
    EXPECT_EQ(document.sprites().sprites.size(), 2u);

    const int redraws = view.redraws;
    drag({21, 31}, {31, 41}); // 20 screen pixels right, 10 down
    EXPECT_EQ(document.sprites().sprites[0].x, 60);
    EXPECT_EQ(document.sprites().sprites[0].y, 40);
    EXPECT_GT(view.redraws, redraws); // it followed the pointer
    EXPECT_EQ(document.history().undo_label(), "Move Sprite");
    EXPECT_TRUE(desk.undo());
    EXPECT_EQ(document.sprites().sprites[0].x, 40);

    // Eight more on rows 100..120: moving the first among them is refused at the release.
    for (int n = 0; n < 8; ++n) ASSERT_TRUE(desk.add_sprite({.x = 30 * n, .y = 100}));
    drag({21, 31}, {21, 101});
    EXPECT_EQ(document.sprites().sprites[0].y, 30);
    EXPECT_EQ(document.history().undo_label(), "Add Sprite");
}
