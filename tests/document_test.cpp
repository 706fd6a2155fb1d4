// The document without windows: its edits, what it tells those who show it, and the picture's
// file.
#include "document/document.h"
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Heard : DocumentObserver {
    std::vector<DocumentChange> changes;
    void document_changed(const DocumentChange& change) override { changes.push_back(change); }
};

struct DocumentTest : ::testing::Test {
    Document document;
    Heard heard;
    void SetUp() override { document.watch(heard); }
    // One committed step, `change` making its changes while the edit is open.
    void step(const char* label, const std::function<void(Document::Edit&)>& change) {
        Document::Edit edit(document, label);
        change(edit);
        edit.commit();
    }
    // A step that sets the first pixel and the background.
    void paint(const char* label, std::uint8_t color, std::uint8_t background) {
        step(label, [&](Document::Edit& edit) {
            edit.pixels({0, 0, 1, 1}).pixels[0] = color;
            edit.set_background(background);
        });
    }
};

} // namespace

// Committed, an edit that changed anything is one step; dropped uncommitted or rolled back, it
// puts back pixels, background and mode as they were.
TEST_F(DocumentTest, AnEditIsOneStepOrPutsEverythingBack) {
    for (const auto& [what, commit, changes] : {std::tuple{"committed", true, true},
                                                {"committed, changing nothing", true, false},
                                                {"dropped", false, true}}) {
        SCOPED_TRACE(what);
        document.reset();
        {
            Document::Edit edit(document, "Import");
            if (changes) {
                edit.pixels({0, 0, 160, 1}).pixels[0] = 7;
                document.plot_pixel(fmtMulticolor, 5, 100, 3);
                edit.set_background(6);
                edit.set_mode(fmtFli);
            }
            if (commit) {
                EXPECT_EQ(edit.commit(), changes);
            }
        }
        const bool kept = commit && changes;
        EXPECT_EQ(document.picture[0], kept ? 7 : 0);
        EXPECT_EQ(document.read_pixel(5, 100), kept ? 3 : 0);
        EXPECT_EQ(document.back_color, kept ? 6 : 0);
        EXPECT_EQ(document.format(), kept ? fmtFli : fmtMulticolor);
        EXPECT_EQ(document.history().undo_label(), kept ? "Import" : "");
        EXPECT_EQ(document.changed(), kept);
    }
}

// Changing the picture with no edit open, or opening an edit inside another, is a programming
// error that is reported, never merged into the step before.
TEST_F(DocumentTest, ChangesOutsideAnEditAndEditsInsideAnotherAreRefused) {
    EXPECT_THROW(document.plot_pixel(fmtMulticolor, 3, 3, 2), EditError);
    EXPECT_EQ(document.read_pixel(3, 3), 0);
    Document::Edit edit(document, "Paint");
    EXPECT_THROW(Document::Edit(document, "Clear"), EditError);
    EXPECT_THROW(document.undo(), EditError);
    EXPECT_THROW(document.reset(), EditError);
    EXPECT_THROW(edit.set_mode(9), std::invalid_argument);
    Document::Page spare = document.blank_page(); // the edit's rows belong to one page
    EXPECT_THROW(document.swap_page(spare), EditError);
    EXPECT_TRUE(document.plot_pixel(fmtMulticolor, 3, 3, 2));
    EXPECT_TRUE(edit.commit());
    EXPECT_THROW(edit.commit(), EditError);
    EXPECT_EQ(document.history().steps(), 1u);
}

// Each change is told once: a step with what it changed (pixels that plots wrote are for the
// painter to show: the step tells only that it is one), and what changed while the edit was
// open with it. An edit dropped puts back what it painted, which the views draw anew.
TEST_F(DocumentTest, ObserversHearEachChangeOnceWithWhatItChanged) {
    using C = DocumentChange;
    using E = Document::Edit;
    const auto plots = [&] {
        document.plot_pixel(fmtMulticolor, 9, 10, 2);
        document.plot_pixel(fmtMulticolor, 12, 14, 2);
    };
    const auto stroke = [&] { step("Paint", [&](E&) { plots(); }); };
    const auto stroke_dropped = [&] {
        E edit(document, "Paint");
        plots();
    };
    const auto paste = [&] {
        step("Paste", [&](E& edit) {
            document.select(PixelArea{1, 2, 3, 4});
            edit.pixels({1, 2, 3, 4}).pixels[2 * 160 + 1] = 5;
        });
    };
    const auto background = [&] { step("Background Colour", [](E& e) { e.set_background(6); }); };
    const auto undo = [&] { document.undo(); };
    const auto drop = [&] { E(document, "Fill").pixels({0, 0, 1, 1}).pixels[0] = 9; };
    const auto float_block = [&] { document.float_block({1, 1, {3}}, {4, 4}); };
    const auto take = [&] { document.take_floating(); };
    const auto file = [&] { document.set_file("/pictures/castle.vxr"); };
    const auto add_sprite = [&] {
        step("Add Sprite", [](E& e) { e.sprites().sprites.push_back({}); });
    };
    const auto same_sprites = [&] { step("Move Sprite", [](E& e) { e.sprites(); }); };
    const struct {
        const char* what;
        std::function<void()> act;
        unsigned told; // 0: nothing is heard
        PixelArea pixels{};
    } rows[] = {{"a stroke", stroke, C::History},
                {"a stroke dropped", stroke_dropped, C::Pixels, {9, 10, 4, 5}},
                {"a paste, selecting", paste, C::Pixels | C::Selection | C::History, {1, 2, 3, 4}},
                {"a background", background, C::Background | C::History},
                {"undo", undo, C::Background | C::History},
                {"an edit dropped", drop, C::Pixels, {0, 0, 1, 1}},
                {"a block floats", float_block, C::Floating},
                {"the block is taken", take, C::Floating},
                {"no block to take", take, 0},
                {"the file", file, C::File},
                {"a sprite added", add_sprite, C::Sprites | C::History},
                {"the sprites left as they were", same_sprites, 0},
                {"undo the sprite", undo, C::Sprites | C::History}};
    for (const auto& [what, act, told, pixels] : rows) {
        SCOPED_TRACE(what);
        heard.changes.clear();
        act();
        ASSERT_EQ(heard.changes.size(), told ? 1u : 0u);
        if (!told) continue;
        EXPECT_EQ(heard.changes[0].what, told);
        EXPECT_EQ(heard.changes[0].pixels, pixels);
    }
}

// The picture belongs to the file it was opened from or saved to; a step, an undo or a redo
// makes it changed since then, and a save makes it the file's again.
TEST_F(DocumentTest, TheFileAndWhetherThePictureChangedSinceItWasSaved) {
    document.set_file("/pictures/castle.vxr");
    document.mark_saved();
    EXPECT_FALSE(document.changed());
    step("Paint", [&](Document::Edit&) { document.plot_pixel(fmtMulticolor, 0, 0, 2); });
    EXPECT_TRUE(document.changed());
    document.mark_saved();
    document.undo();
    EXPECT_TRUE(document.changed());
    document.set_file("");
    EXPECT_EQ(document.file(), "");
    EXPECT_TRUE(document.changed());
}

// The sprites change only inside an edit: a step keeps them as they were, undo and redo swap
// them, a rollback puts them back; they stay through a change of mode and go with their page;
// a new start has none.
TEST_F(DocumentTest, TheSpritesAreKeptLikeThePixels) {
    const auto sprites = [](int x) {
        SpriteSet set{.sprites = {Sprite{.x = x, .y = 3}}, .shared_colour0 = 2};
        set.sprites[0].data[0] = 0x80;
        return set;
    };
    step("Add Sprite", [&](Document::Edit& edit) { edit.sprites() = sprites(10); });
    step("Move Sprite", [&](Document::Edit& edit) { edit.sprites().sprites[0].x = 20; });
    {
        Document::Edit dropped(document, "Move Sprite");
        dropped.sprites().sprites[0].x = 99;
    }
    EXPECT_EQ(document.sprites(), sprites(20));
    step("Hires Mode", [](Document::Edit& edit) { edit.set_mode(fmtHires); });
    EXPECT_EQ(document.sprites(), sprites(20));
    EXPECT_TRUE(document.undo());
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(document.sprites(), sprites(10));
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(document.sprites(), SpriteSet{});
    EXPECT_TRUE(document.redo());
    EXPECT_EQ(document.sprites(), sprites(10));

    Document::Page spare = document.blank_page();
    document.swap_page(spare);
    EXPECT_EQ(document.sprites(), SpriteSet{});
    EXPECT_EQ(spare.sprites, sprites(10));
    document.swap_page(spare);
    EXPECT_EQ(document.copy_page().sprites, sprites(10));
    document.reset();
    EXPECT_EQ(document.sprites(), SpriteSet{});
}

// The spare page keeps a whole picture of its own: pixels, background, mode, file, reference
// image and history. The selection stays on the desk, and whatever the pages swap, the
// observers hear of it all.
TEST_F(DocumentTest, TheSparePageKeepsAPictureWithItsOwnHistory) {
    for (const bool copy : {false, true}) { // the spare page blank, or a copy of the picture
        SCOPED_TRACE(copy ? "a copy" : "blank");
        const int pixel = copy ? 5 : 0; // the first pixel of the page shown after one swap
        document.reset();
        paint("Paint", 5, 2);
        document.set_file("a.vxr");
        document.select(PixelArea{1, 1, 4, 4});
        const ReferenceImage traced = reference_from_image({1, 1, {9, 9, 9}});
        document.set_reference(traced);
        Document::Page spare = copy ? document.copy_page() : document.blank_page();
        heard.changes.clear();
        document.swap_page(spare);
        EXPECT_EQ(document.picture[0], pixel);
        EXPECT_EQ(document.back_color, copy ? 2 : 0);
        EXPECT_EQ(document.file(), copy ? "a.vxr" : "");
        EXPECT_EQ(document.reference().has_value(), copy);
        EXPECT_EQ(document.history().undo_label(), ""); // a copy starts with no history
        EXPECT_EQ(document.selection(), (PixelArea{1, 1, 4, 4}));
        ASSERT_EQ(heard.changes.size(), 1u);
        EXPECT_TRUE(heard.changes[0].has(DocumentChange::Pixels));
        EXPECT_TRUE(heard.changes[0].has(DocumentChange::History));
        EXPECT_TRUE(heard.changes[0].has(DocumentChange::Reference));
        // A step on this page is undone here, and leaves the other page's history alone.
        // The other page's mode and shape go with it: a hires page keeps all its pixels.
        paint("Fill", 9, 4);
        document.format_value() = fmtHires;
        document.picture[kStorageBytes - 1] = 7;
        document.swap_page(spare);
        EXPECT_EQ(document.picture[0], 5);
        EXPECT_EQ(document.back_color, 2);
        EXPECT_EQ(document.reference(), traced);
        EXPECT_EQ(document.format(), fmtMulticolor);
        EXPECT_EQ(document.shape.width, 160);
        EXPECT_EQ(document.history().undo_label(), "Paint");
        document.swap_page(spare);
        EXPECT_EQ(document.format(), fmtHires);
        EXPECT_EQ(document.shape.width, 320);
        EXPECT_EQ(document.picture[kStorageBytes - 1], 7);
        EXPECT_EQ(document.history().undo_label(), "Fill");
        EXPECT_TRUE(document.undo());
        EXPECT_EQ(document.picture[0], pixel);
        EXPECT_FALSE(document.undo());
    }
    // A blank page starts in the first mode, whichever the page shown is in.
    document.format_value() = fmtAfli;
    EXPECT_EQ(document.blank_page().mode, fmtMulticolor);
}
