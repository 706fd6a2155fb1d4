// The desk without windows: its commands as steps of the history, what it tells those who show
// it, and the spare page.
#include "colour/palettes.h"
#include "desk/desk.h"
#include "selection/block.h"
#include "tests/unseen_view.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Told : DeskObserver {
    std::vector<unsigned> changes;
    std::vector<PixelPos> painted;
    void desk_changed(const DeskChange& change) override {
        changes.push_back(change.what);
        if (change.painted) painted = change.painted->pixels;
    }
};

struct DeskTest : ::testing::Test {
    Desk desk;
    Document& document = desk.document();
    Told told;
    void SetUp() override { desk.watch(told); }
    std::string last_step() const { return document.history().undo_label(); }
};

const LabPalette kShown = lab_palette(PaletteId::Vexlor);

} // namespace

// Each command is one step under its own name, which Undo takes back whole.
TEST_F(DeskTest, EachCommandIsOneStepThatUndoTakesBack) {
    const struct {
        const char* label;
        std::function<void()> command;
    } rows[] = {
        {"Clear", [&] { desk.clear("Clear"); }},
        {"Replace Colour", [&] { desk.replace_colour(3, 5); }},
        {"Flip Horizontally", [&] { desk.flip("Flip Horizontally", true); }},
        {"Delete", [&] { desk.clear_selection("Delete"); }},
        {"Background Colour", [&] { desk.set_background(6, true); }},
        {"Fix Colour Clashes", [&] { desk.fix_clashes(kShown); }},
        {"Hires Mode", [&] { desk.set_mode(fmtHires, kShown); }},
        {"Open",
         [&] {
             const StoredPicture blank{};
             desk.replace_picture("Open", {blank.data(), 160, 200}, 2, fmtFli);
         }},
    };
    for (const auto& [label, command] : rows) {
        SCOPED_TRACE(label);
        document.reset();
        // A full cell and a colour at the picture's left edge, with the first cell selected.
        for (std::uint8_t c = 0; c < 4; ++c) document.picture[c] = std::uint8_t(c + 2);
        document.picture[160] = 3;
        document.select(PixelArea{0, 0, 4, 8});
        const StoredPicture before = document.picture;
        command();
        EXPECT_EQ(last_step(), label);
        EXPECT_NE(document.picture, before);
        EXPECT_TRUE(desk.undo());
        EXPECT_EQ(document.picture, before);
        EXPECT_EQ(document.back_color, 0);
        EXPECT_EQ(document.format(), fmtMulticolor);
    }
}

// Undo drops a floating block before it takes back a step; a stroke under way is a step of its
// own before any command.
TEST_F(DeskTest, UndoDropsAFloatingBlockFirstAndAStrokeEndsBeforeACommand) {
    desk.paste({1, 1, {7}}, {3, 4});
    EXPECT_EQ(document.floating_at(), (PixelPos{3, 4}));
    EXPECT_TRUE(desk.undo());
    EXPECT_FALSE(document.floating());

    document.select(PixelArea{8, 16, 4, 8});
    desk.paste({1, 1, {7}}, {3, 4});
    EXPECT_EQ(document.floating_at(), (PixelPos{8, 16})); // at the selection's corner
    document.take_floating();

    {
        UnseenView view;
        ToolContext context = desk.tools(view);
        const std::unique_ptr<Tool> pen = tool_row(toolFreePaint)->make();
        pen->press(context, {{5, 5}, {5, 5}, MouseButton::Left, true, false, false, true});
    }
    desk.clear("Clear");
    EXPECT_EQ(document.history().steps(), 2u);
    desk.undo();
    EXPECT_EQ(last_step(), "Paint");
    EXPECT_EQ(document.read_pixel(5, 5), 1);
}

// Between modes of one shape the pixels stay and the areas the new mode cannot show are counted;
// to another shape they are fixed.
TEST_F(DeskTest, AChangeOfModeSaysWhatTheNewModeCannotShow) {
    for (std::uint8_t c = 0; c < 4; ++c) document.picture[c] = std::uint8_t(c + 2); // 4 colours
    const ModeSwitch to_fli = desk.set_mode(fmtFli, kShown);
    EXPECT_EQ(to_fli.fix.areas, 0);
    EXPECT_EQ(to_fli.unshown, 1); // its top row
    const ModeSwitch to_hires = desk.set_mode(fmtHires, kShown);
    EXPECT_EQ(to_hires.fix.areas, 1);
    EXPECT_EQ(document.mode().shape.width, 320);
}

// Each setting is told once, as what it is.
TEST_F(DeskTest, EachSettingIsToldToItsObserversOnce) {
    using C = DeskChange;
    const struct {
        const char* what;
        std::function<void()> change;
        unsigned told;
    } rows[] = {
        {"a colour", [&] { desk.choose_colour(5); }, C::Colours},
        {"a blend",
         [&] {
             desk.choose_blend({2, 10});
         },
         C::Colours},
        {"a tool", [&] { desk.choose_tool(toolPen); }, C::Tool},
        {"the pen", [&] { desk.change_pen([](Pen& pen) { pen.resize(1); }); }, C::Pen},
        {"the ink", [&] { desk.change_ink([](Ink& ink) { ink.second_color = 3; }); }, C::Ink},
        {"the symmetry",
         [&] {
             desk.change_symmetry(
                 [](SymmetryChoice& s) { s.symmetry.kind = SymmetryKind::FourWay; });
         },
         C::Symmetry},
        {"full cells", [&] { desk.choose_full_cell(FullCell::PaintFreely); }, C::FullCell},
        {"a grid", [&] { desk.change_view([](ViewChoices& v) { v.char_grid = false; }); }, C::View},
        {"the reference",
         [&] { desk.change_view([](ViewChoices& v) { v.reference_opacity = 25; }); }, C::Reference},
        {"a brush",
         [&] {
             desk.take_brush({1, 1, {4}});
         },
         C::Pen},
        {"the spare page", [&] { desk.copy_to_spare_page(); }, C::Pages},
    };
    for (const auto& [what, change, kind] : rows) {
        SCOPED_TRACE(what);
        told.changes.clear();
        change();
        EXPECT_EQ(told.changes, std::vector<unsigned>{kind});
    }
    EXPECT_EQ(document.draw_color, 2); // the blend's first colour
    EXPECT_EQ(desk.painter().symmetry.twice_column, 159);
}

// A pointer event's painting is told once, with each pixel painted; an event that painted
// nothing tells nothing.
TEST_F(DeskTest, PaintingIsToldOnceAnEvent) {
    Document::Edit edit = desk.open_edit("Paint");
    desk.painter().paint({2, 3}, 4);
    desk.painter().paint({3, 3}, 4);
    desk.show_painting();
    EXPECT_EQ(told.changes, std::vector<unsigned>{DeskChange::Painted});
    EXPECT_EQ(told.painted, (std::vector<PixelPos>{{2, 3}, {3, 3}}));
    told.changes.clear();
    desk.show_painting();
    EXPECT_TRUE(told.changes.empty());
}

// The selection becomes the brush and goes; the spare page swaps whole and starts blank.
TEST_F(DeskTest, TheBrushComesFromTheSelectionAndTheSparePageSwapsWhole) {
    EXPECT_FALSE(desk.brush_from_selection());
    document.picture[161] = 9;
    document.select(PixelArea{1, 1, 2, 1});
    EXPECT_TRUE(desk.brush_from_selection());
    EXPECT_FALSE(document.selection());
    EXPECT_EQ(desk.painter().pen.brush->block(), (PixelBlock{2, 1, {9, 0}}));

    EXPECT_FALSE(desk.spare_page());
    desk.swap_pages();
    EXPECT_EQ(desk.page_shown(), 2);
    EXPECT_EQ(document.picture[161], 0);
    document.picture[0] = 4;
    EXPECT_FALSE(desk.spare_page_changed());
    desk.swap_pages();
    EXPECT_EQ(desk.page_shown(), 1);
    EXPECT_EQ(document.picture[161], 9);
    EXPECT_EQ(desk.spare_page()->picture[0], 4);
}
