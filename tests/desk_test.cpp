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

// Each sprite command is one step that Undo takes back; one that would put a ninth sprite on a
// row is refused, naming the row, unless the full-cell choice paints freely; a row crowded
// already refuses nothing more; the chosen sprite follows a removal.
TEST_F(DeskTest, SpriteCommandsAreStepsWithinTheEightALineLimit) {
    // Eight sprites down the left, each on rows 0..20, and one beside them below, on 40..60.
    auto eight_and_one = [&] {
        document.reset();
        Document::Edit edit = desk.open_edit("Set Up");
        for (int n = 0; n < 8; ++n) edit.sprites().sprites.push_back({.x = 30 * n, .y = 0});
        edit.sprites().sprites.push_back({.x = 0, .y = 40});
        edit.commit();
    };
    const struct {
        const char* label;
        FullCell full_cell;
        std::function<SpriteOutcome()> command;
        std::string refusal;
        std::size_t sprites_after;
    } rows[] = {
        {"Add Sprite", FullCell::KeepColours, [&] { return desk.add_sprite({.x = 0, .y = 100}); },
         "", 10},
        {"Add Sprite", FullCell::RefuseFourth, [&] { return desk.add_sprite({.x = 9, .y = 20}); },
         "Row 20 would hold 9 sprites", 9},
        {"Add Sprite", FullCell::PaintFreely, [&] { return desk.add_sprite({.x = 9, .y = 20}); },
         "", 10},
        {"Move Sprite", FullCell::KeepColours,
         [&] {
             return desk.move_sprite(8, {50, 21});
         },
         "", 9},
        {"Move Sprite", FullCell::KeepColours,
         [&] {
             return desk.move_sprite(8, {50, 20});
         },
         "Row 20 would hold 9 sprites", 9},
        {"Move Sprite", FullCell::KeepColours,
         [&] {
             return desk.move_sprite(9, {50, 20});
         },
         "There is no sprite 9", 9},
        {"Change Sprite", FullCell::KeepColours,
         [&] {
             return desk.change_sprite(8, [](Sprite& s) {
                 s.y = 0;
                 s.expand_y = true;
             });
         },
         "Row 0 would hold 9 sprites", 9},
        {"Change Sprite", FullCell::KeepColours,
         [&] { return desk.change_sprite(8, [](Sprite& s) { s.colour = 5; }); }, "", 9},
        {"Remove Sprite", FullCell::KeepColours, [&] { return desk.remove_sprite(0); }, "", 8},
        {"Shared Sprite Colours", FullCell::KeepColours,
         [&] { return desk.set_sprite_shared_colours(4, 5); }, "", 9},
    };
    for (const auto& [label, full_cell, command, refusal, sprites_after] : rows) {
        SCOPED_TRACE(std::string(label) + " " + refusal);
        eight_and_one();
        desk.choose_full_cell(full_cell);
        const SpriteSet before = document.sprites();
        const SpriteOutcome outcome = command();
        EXPECT_EQ(outcome.refusal, refusal);
        EXPECT_EQ(document.sprites().sprites.size(), sprites_after);
        if (!outcome) {
            EXPECT_EQ(document.sprites(), before);
            EXPECT_EQ(last_step(), "Set Up");
            continue;
        }
        EXPECT_EQ(last_step(), label);
        EXPECT_NE(document.sprites(), before);
        EXPECT_TRUE(desk.undo());
        EXPECT_EQ(document.sprites(), before);
    }

    // Crowded already (opened so, or painted freely): a change that puts no more sprites on a
    // crowded row is made.
    desk.choose_full_cell(FullCell::PaintFreely);
    ASSERT_TRUE(desk.add_sprite({.x = 9, .y = 0}));
    desk.choose_full_cell(FullCell::KeepColours);
    EXPECT_TRUE(desk.move_sprite(9, {9, 1}));
    EXPECT_EQ(desk.move_sprite(8, {50, 5}).refusal, "Row 5 would hold 10 sprites");

    // The chosen sprite: the one added; after a removal the same sprite, or none once it goes.
    EXPECT_EQ(desk.chosen_sprite(), 9u);
    desk.remove_sprite(2);
    EXPECT_EQ(desk.chosen_sprite(), 8u);
    desk.remove_sprite(8);
    EXPECT_EQ(desk.chosen_sprite(), std::nullopt);
    desk.undo();
    desk.undo();
    desk.choose_sprite(9);
    desk.undo(); // the move
    EXPECT_EQ(desk.chosen_sprite(), 9u);
    desk.undo(); // the add: the sprite chosen is gone
    EXPECT_EQ(desk.chosen_sprite(), std::nullopt);
}
