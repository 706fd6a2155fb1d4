// A hires or AFLI picture is never saved where it would lose pixels: Save writes its mode's own
// C64 file, Open reads it back as the picture's file, and the spare page keeps it.
#include "app/Main.h"
#include "modes/mode.h"
#include "platform/common_dialogs.h"
#include "storage/dlg_open.h"
#include "tests/c64_support.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

namespace {

struct HiresFiles : PictureMenuTest {
    QStringList errors;
    void SetUp() override {
        PictureMenuTest::SetUp();
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        TFileDialog::DropAnswers();
        PictureMenuTest::TearDown();
        ResetEditor();
    }
    static QString caption() { return okno1->Host()->windowTitle(); }
};

} // namespace

TEST_F(HiresFiles, SaveWritesTheModesOwnFileAndOpenTakesItBack) {
    const struct {
        PictureFormat mode;
        const char* name; // the file as Save As is answered
        qint64 length;
    } rows[] = {{fmtHires, "logo.art", 9002}, {fmtAfli, "logo.afl", 16386}};
    for (const auto& row : rows) {
        const Mode& mode = mode_of(row.mode);
        SCOPED_TRACE(mode.name);
        ResetEditor();
        okno1->mode_item(row.mode)->trigger();
        okno2->picture = hires_stripes(39);
        desk().document().mark_changed();
        const QString caption_of_mode = "Vexlor v0.1" + QString::fromUtf8(mode.caption);

        // A name of another kind of file is refused: nothing is written, nothing lost.
        TFileDialog::QueueAnswer(dir.filePath("logo.vxr"));
        okno1->FileSaveAsItem->trigger();
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("logo.vxr")));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.takeFirst().contains(".vxr"));
        EXPECT_TRUE(desk().document().changed());

        // Save As offers the mode's file; its name alone is enough.
        const QString file = dir.filePath(row.name);
        TFileDialog::QueueAnswer(QFileInfo(file).completeBaseName().prepend(dir.path() + '/'));
        okno1->FileSaveAsItem->trigger();
        EXPECT_EQ(QFileInfo(file).size(), row.length);
        EXPECT_EQ(caption(), caption_of_mode + " - " + row.name);
        EXPECT_FALSE(desk().document().changed());

        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        okno1->FileNewItem->trigger();
        okno1->open_picture(file, OpenAs::ByKind);
        EXPECT_EQ(okno1->picture_format, row.mode);
        EXPECT_TRUE(okno2->picture == hires_stripes(39));
        EXPECT_EQ(okno1->picture_path(), QFileInfo(file).absoluteFilePath());
        EXPECT_EQ(caption(), caption_of_mode + " - " + row.name);

        // Ctrl+S writes it again without asking; in another mode it asks for a name of its own.
        okno2->picture[5] = okno2->picture[6];
        const int dialogs = TFileDialog::ExecuteCount();
        okno1->FileSaveItem->trigger();
        EXPECT_EQ(TFileDialog::ExecuteCount(), dialogs);
        okno1->mode_item(fmtMulticolor)->trigger();
        TFileDialog::QueueAnswer(std::nullopt);
        okno1->FileSaveItem->trigger();
        EXPECT_EQ(TFileDialog::ExecuteCount(), dialogs + 1);
        EXPECT_EQ(okno1->SaveDialog.FileName, dir.filePath("logo.vxr"));
        EXPECT_TRUE(errors.isEmpty());
    }
}
