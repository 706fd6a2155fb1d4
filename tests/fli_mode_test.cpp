#include "app/Main.h"
#include "dialogs/background_dialog.h"
#include "formats/fli_file.h"
#include "formats/koala.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct FliMode : PictureMenuTest {
    void TearDown() override {
        PictureMenuTest::TearDown();
        ResetEditor();
    }
    // The mode as every control shows it: the same in all, or the test fails.
    static std::uint8_t shown_mode() {
        const bool fli = okno1->picture_format == fmtFli;
        EXPECT_EQ(okno1->mode_item(fmtFli)->isChecked(), fli);
        EXPECT_EQ(prefs->bt_fli->isChecked(), fli);
        EXPECT_EQ(prefs->bt_multicolor->isChecked(), !fli);
        const QString name = okno1->picture_path().isEmpty()
                                 ? QString()
                                 : " - " + QFileInfo(okno1->picture_path()).fileName();
        EXPECT_EQ(okno1->Host()->windowTitle(), (fli ? "Vexlor v0.1 [FLI]" : "Vexlor v0.1") + name);
        return okno1->picture_format;
    }
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }
    static void import(const QString& file) {
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        TFileDialog::QueueAnswer(file);
        okno1->PictureImportItem->trigger();
    }
};

} // namespace

// The menu item and the General tab switch the mode and follow each other; each switch is a
// step of its own that undo takes back, mode and all, and the pixels stay as they are.
TEST_F(FliMode, MenuAndGeneralTabSwitchItInStepAsUndoableSteps) {
    okno2->draw_color = 7;
    mouse(QEvent::MouseButtonPress, cell(5, 5), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, cell(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(shown_mode(), fmtMulticolor);
    EXPECT_FALSE(prefs->bt_ifli->isEnabled());
    okno1->mode_item(fmtFli)->trigger();
    EXPECT_EQ(shown_mode(), fmtFli);
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo FLI Mode");
    QTest::mouseClick(prefs->bt_multicolor, Qt::LeftButton);
    EXPECT_EQ(shown_mode(), fmtMulticolor);
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Multicolor Mode");
    QTest::mouseClick(prefs->bt_multicolor, Qt::LeftButton); // no change: no step
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Multicolor Mode");
    okno1->EditUndoClick();
    EXPECT_EQ(shown_mode(), fmtFli);
    okno1->EditUndoClick();
    EXPECT_EQ(shown_mode(), fmtMulticolor);
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Paint");
    okno1->EditRedoClick();
    EXPECT_EQ(shown_mode(), fmtFli);
    EXPECT_EQ(pixel(5, 5), 7);
}

// FLI files bring FLI and their background with them, a Koala file Multicolor and its own, by
// the menu or from outside (the command line, a drop); each import is one step that undo takes
// back with its mode and background.
TEST_F(FliMode, ImportsSwitchToTheModeOfTheirFile) {
    StoredPicture drawn{};
    for (int row = 0; row < 200; ++row)
        drawn[row * 160 + 20] = std::uint8_t(screen_row_of(row) % 7 + 1);
    const QString bml =
        write("rows.bml", write_fli_graph(encode_fli(multicolor_grid(drawn), 2).image));
    StoredPicture flat;
    flat.fill(6);
    const QString koala =
        write("flat.koa", write_koala(encode_multicolor(multicolor_grid(flat), 9).image));
    const std::function<void(const QString&)> ways[] = {
        import, [](const QString& file) { okno1->open_picture(file, OpenAs::ByKind); }};
    for (const auto& bring_in : ways) {
        ResetEditor();
        bring_in(bml);
        EXPECT_EQ(okno2->picture, drawn);
        EXPECT_EQ(okno2->back_color, 2);
        EXPECT_EQ(shown_mode(), fmtFli);
        bring_in(koala);
        EXPECT_EQ(shown_mode(), fmtMulticolor);
        EXPECT_EQ(okno2->back_color, 9);
        EXPECT_EQ(pixel(20, 100), 6);
        okno1->EditUndoClick();
        EXPECT_EQ(shown_mode(), fmtFli);
        EXPECT_EQ(okno2->back_color, 2);
        EXPECT_EQ(okno2->picture, drawn);
    }
}

// Export as FLI writes FLI Graph; Export as PRG in FLI mode writes the FLI viewer.
TEST_F(FliMode, ExportsWriteFliFiles) {
    for (int row = 0; row < 200; ++row) pixel(30, row) = std::uint8_t(screen_row_of(row) % 15 + 1);
    const StoredPicture drawn = okno2->picture;
    TFileDialog::QueueAnswer(dir.filePath("rows"));
    okno1->PictureFliItem->trigger();
    QFile bml(dir.filePath("rows.bml"));
    ASSERT_TRUE(bml.open(QIODevice::ReadOnly));
    const QByteArray bytes = bml.readAll();
    const FliRead read =
        read_fli({reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())},
                 FliFormat::Graph);
    ASSERT_TRUE(read.image) << read.error;
    StoredPicture decoded{};
    decode_fli(*read.image, multicolor_grid(decoded));
    EXPECT_EQ(decoded, drawn);
    okno1->mode_item(fmtFli)->trigger();
    TFileDialog::QueueAnswer(dir.filePath("rows"));
    okno1->PicturePrgItem->trigger();
    EXPECT_EQ(QFileInfo(dir.filePath("rows.prg")).size(), 0x7F40 - 0x0801 + 2);
}

// In FLI the marks cover single rows, and every row of the three bug columns.
TEST_F(FliMode, ClashMarksShowRowsAndTheBugColumns) {
    const auto marked = [](int x, int y) {
        return okno2->Canvas->GetPixel(x, y) == RGBColor(255, 0, 0);
    };
    pixel(12, 2) = 2, pixel(13, 2) = 3, pixel(14, 2) = 5, pixel(15, 2) = 7; // four in a row
    okno1->PictureClashesItem->trigger();
    EXPECT_TRUE(marked(3 * 160, 0)) << "the whole cell clashes in Multicolor";
    EXPECT_FALSE(marked(0, 0));
    okno1->mode_item(fmtFli)->trigger();
    EXPECT_TRUE(marked(0, 0));
    EXPECT_TRUE(marked(0, 7 * 20));
    EXPECT_FALSE(marked(3 * 160, 0));
    EXPECT_TRUE(marked(3 * 160, 2 * 20));
    EXPECT_FALSE(marked(4 * 160, 2 * 20));
}

// In FLI the Background Colour dialog counts the rows that would hold more colours, not cells:
// each row of cell 0 has colours of its own besides a 0 that every row shares (a cell that
// Multicolor could not show), and only row 0 of cell 1 holds four.
TEST_F(FliMode, TheBackgroundDialogCountsRowsInFli) {
    const std::uint8_t own[8][2] = {{1, 9},  {2, 10}, {3, 11}, {4, 12},
                                    {5, 13}, {7, 14}, {8, 15}, {9, 1}};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 3; ++column) pixel(column, row) = own[row][column % 2];
    pixel(4, 0) = 2, pixel(5, 0) = 3, pixel(6, 0) = 4, pixel(7, 0) = 5;
    okno1->mode_item(fmtFli)->trigger();
    QString note;
    WhenModal([&] {
        auto* dialog = qobject_cast<BackgroundColourDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->color_button(6)->click();
        dialog->recolour_box->click();
        note = dialog->limit_note->text();
        dialog->reject();
    });
    okno1->PictureBackgroundItem->trigger();
    EXPECT_EQ(note, "1 row would hold more colours than a C64 shows.");
}
