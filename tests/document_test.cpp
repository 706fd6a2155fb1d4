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

// A plot refresh that does nothing: painting then shows each pixel as it lands.
struct Shown : PlotRefresh {
    void show_color1(unsigned) override {}
    void show_color2(unsigned) override {}
    void show_color3(unsigned) override {}
    void show_back() override {}
    void redraw_preview_band(std::uint32_t, std::uint32_t) override {}
};

struct DocumentTest : ::testing::Test {
    std::uint8_t mode = fmtMulticolor; // the frame's picture_format
    Document document{mode};
    Heard heard;
    void SetUp() override { document.watch(heard); }
};

} // namespace

// Committed, an edit that changed anything is one step; dropped uncommitted or rolled back, it
// puts back pixels, background and mode as they were.
TEST_F(DocumentTest, AnEditIsOneStepOrPutsEverythingBack) {
    const struct {
        const char* what;
        bool commit;
        bool changes;
    } rows[] = {{"committed", true, true},
                {"committed, changing nothing", true, false},
                {"dropped", false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        document.reset();
        {
            Document::Edit edit(document, "Import");
            if (row.changes) {
                edit.pixels({0, 0, 160, 1}).pixels[0] = 7;
                document.plot_pixel(fmtMulticolor, 5, 100, 3);
                edit.set_background(6);
                edit.set_mode(fmtFli);
            }
            if (row.commit) {
                EXPECT_EQ(edit.commit(), row.changes);
            }
        }
        const bool kept = row.commit && row.changes;
        EXPECT_EQ(document.picture[0], kept ? 7 : 0);
        EXPECT_EQ(document.read_pixel(5, 100), kept ? 3 : 0);
        EXPECT_EQ(document.back_color, kept ? 6 : 0);
        EXPECT_EQ(mode, kept ? fmtFli : fmtMulticolor);
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
    EXPECT_TRUE(document.plot_pixel(fmtMulticolor, 3, 3, 2));
    EXPECT_TRUE(edit.commit());
    EXPECT_THROW(edit.commit(), EditError);
    EXPECT_EQ(document.history().steps(), 1u);
}

// Each change is told once: a step with what it changed (pixels that a plot showed as they
// landed are marked as shown), and what changed while the edit was open with it.
TEST_F(DocumentTest, ObserversHearEachChangeOnceWithWhatItChanged) {
    using C = DocumentChange;
    Shown shown;
    const struct {
        const char* what;
        std::function<void()> act;
        unsigned heard;
        PixelArea pixels;
        bool pixels_shown;
    } rows[] = {
        {"a stroke",
         [&] {
             document.refresh = &shown;
             Document::Edit edit(document, "Paint");
             document.plot_pixel(fmtMulticolor, 9, 10, 2);
             document.plot_pixel(fmtMulticolor, 12, 14, 2);
             edit.commit();
             document.refresh = nullptr;
         },
         C::Pixels | C::History,
         {9, 10, 4, 5},
         true},
        {"a paste, selecting what it lands on",
         [&] {
             Document::Edit edit(document, "Paste");
             document.select(PixelArea{1, 2, 3, 4});
             edit.pixels({1, 2, 3, 4}).pixels[2 * 160 + 1] = 5;
             edit.commit();
         },
         C::Pixels | C::Selection | C::History,
         {1, 2, 3, 4},
         false},
        {"a background",
         [&] {
             Document::Edit edit(document, "Background Colour");
             edit.set_background(6);
             edit.commit();
         },
         C::Background | C::History,
         {},
         false},
        {"undo", [&] { document.undo(); }, C::Background | C::History, {}, false},
        {"an edit dropped",
         [&] {
             Document::Edit(document, "Fill").pixels({0, 0, 1, 1}).pixels[0] = 9;
         },
         C::Pixels,
         {0, 0, 1, 1},
         false},
        {"a block floats",
         [&] {
             document.float_block({1, 1, {3}}, {4, 4});
         },
         C::Floating,
         {},
         false},
        {"the block is taken", [&] { document.take_floating(); }, C::Floating, {}, false},
        {"no block to take", [&] { document.take_floating(); }, 0, {}, false},
        {"the file", [&] { document.set_file("/pictures/castle.vxr"); }, C::File, {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        heard.changes.clear();
        row.act();
        ASSERT_EQ(heard.changes.size(), row.heard ? 1u : 0u);
        if (!row.heard) continue;
        EXPECT_EQ(heard.changes[0].what, row.heard);
        EXPECT_EQ(heard.changes[0].pixels, row.pixels);
        EXPECT_EQ(heard.changes[0].pixels_shown, row.pixels_shown);
    }
}

// The picture belongs to the file it was opened from or saved to; a step, an undo or a redo
// makes it changed since then, and a save makes it the file's again.
TEST_F(DocumentTest, TheFileAndWhetherThePictureChangedSinceItWasSaved) {
    document.set_file("/pictures/castle.vxr");
    document.mark_saved();
    EXPECT_FALSE(document.changed());
    {
        Document::Edit edit(document, "Paint");
        document.plot_pixel(fmtMulticolor, 0, 0, 2);
        edit.commit();
    }
    EXPECT_TRUE(document.changed());
    document.mark_saved();
    document.undo();
    EXPECT_TRUE(document.changed());
    document.set_file("");
    EXPECT_EQ(document.file(), "");
    EXPECT_TRUE(document.changed());
}

// The spare page keeps a whole picture of its own: pixels, background, mode, file and history.
// The selection stays on the desk, and whatever the pages swap, the observers hear of it all.
TEST_F(DocumentTest, TheSparePageKeepsAPictureWithItsOwnHistory) {
    const auto paint = [&](const char* label, std::uint8_t color, std::uint8_t background) {
        Document::Edit edit(document, label);
        edit.pixels({0, 0, 1, 1}).pixels[0] = color;
        edit.set_background(background);
        edit.commit();
    };
    const struct {
        const char* what;
        bool copy_first; // the spare page a copy of the picture, else blank
        // The page shown after one swap: its first pixel, background, file, undo label.
        std::uint8_t pixel, background;
        const char* file;
        const char* undo;
    } rows[] = {
        {"blank", false, 0, 0, "", ""},
        {"a copy", true, 5, 2, "a.vxr", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        document.reset();
        paint("Paint", 5, 2);
        document.set_file("a.vxr");
        document.select(PixelArea{1, 1, 4, 4});
        Document::Page spare = row.copy_first ? document.copy_page() : document.blank_page();
        heard.changes.clear();
        document.swap_page(spare);
        EXPECT_EQ(document.picture[0], row.pixel);
        EXPECT_EQ(document.back_color, row.background);
        EXPECT_EQ(document.file(), row.file);
        EXPECT_EQ(document.history().undo_label(), row.undo);
        EXPECT_EQ(document.selection(), (PixelArea{1, 1, 4, 4}));
        ASSERT_EQ(heard.changes.size(), 1u);
        EXPECT_TRUE(heard.changes[0].has(DocumentChange::Pixels));
        EXPECT_TRUE(heard.changes[0].has(DocumentChange::History));
        // A step on this page is undone here, and leaves the other page's history alone.
        paint("Fill", 9, 4);
        mode = fmtFli;
        document.swap_page(spare);
        EXPECT_EQ(document.picture[0], 5);
        EXPECT_EQ(document.back_color, 2);
        EXPECT_EQ(document.format(), fmtMulticolor);
        EXPECT_EQ(document.history().undo_label(), "Paint");
        document.swap_page(spare);
        EXPECT_EQ(document.format(), fmtFli);
        EXPECT_EQ(document.history().undo_label(), "Fill");
        EXPECT_TRUE(document.undo());
        EXPECT_EQ(document.picture[0], row.pixel);
        EXPECT_FALSE(document.undo());
    }
    // Not while an edit is open: the edit's rows belong to one page.
    Document::Edit edit(document, "Paint");
    Document::Page spare = document.blank_page();
    EXPECT_THROW(document.swap_page(spare), EditError);
}
