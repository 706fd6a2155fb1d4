#include "app/Main.h"
#include "formats/koala.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PictureMenu : PictureMenuTest {
    static void answer(QAbstractButton* button) {
        WhenModal([button] { QTest::mouseClick(button, Qt::LeftButton); });
    }
    // A Koala file of a picture whose every pixel is `color`.
    QString koala_of(std::uint8_t color) const {
        std::array<std::uint8_t, kPictureBytes> picture;
        picture.fill(color);
        const auto bytes = write_koala(encode_multicolor(picture.data()).image);
        QFile file(dir.filePath("plain.koa"));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }
    // The red of a clash mark at the top-left corner of view cell `left`, `top`.
    static bool marked(int left, int top) {
        return okno2->Canvas->GetPixel(left * 160, top * 160) == RGBColor(255, 0, 0);
    }
};

} // namespace

TEST_F(PictureMenu, StandsAfterEditWithItsItems) {
    const auto menus = okno1->MainMenu->actions();
    ASSERT_EQ(menus.size(), 7);
    EXPECT_EQ(menus[2]->text(), "&Picture");
    QStringList items;
    for (const QAction* item : okno1->PictureMenu->actions())
        items << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(items, (QStringList{"&Import...", "&Background Colour...", "-", "Export as &Koala...",
                                  "Export as &FLI...", "Export as &Other C64 Format...",
                                  "Export as &PRG...", "Export as P&NG...", "-", "&Mode",
                                  "Show colour &clashes", "Fi&x Colour Clashes", "-", "S&wap Pages",
                                  "Copy to Spare &Page"}));
    QStringList modes;
    for (const QAction* item : okno1->PictureModeMenu->actions()) modes << item->text();
    EXPECT_EQ(modes, (QStringList{"&Multicolor", "&FLI", "&Hires", "&AFLI"}));
    EXPECT_TRUE(okno1->mode_item(fmtMulticolor)->isChecked());
    EXPECT_EQ(okno1->PictureImportItem->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_TRUE(okno1->PictureClashesItem->isCheckable());
}

// Import asks first, like Open; what it brings in shows in both views and is one step.
TEST_F(PictureMenu, ImportAsksFirstRedrawsBothViewsAndIsOneStep) {
    const QString file = koala_of(6);
    const int shown = TFileDialog::ExecuteCount();
    answer(dlgopen->CancelBtn);
    okno1->PictureImportItem->trigger();
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown);
    answer(dlgopen->OKBtn);
    TFileDialog::QueueAnswer(file);
    okno1->PictureImportItem->trigger();
    EXPECT_EQ(pixel(77, 88), 6);
    EXPECT_TRUE(AreaIs(okno2, QRect(1, 1, 38, 18), palette_color(6)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(6)));
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Import");
    EXPECT_EQ(okno1->ImportFileDialog.FileName, file);
    EXPECT_TRUE(okno1->OpenDialog.FileName.isEmpty() || okno1->OpenDialog.FileName != file);
    okno1->EditUndoClick();
    EXPECT_EQ(pixel(77, 88), 0);
}

// Each export has its own dialog, which keeps its own name.
TEST_F(PictureMenu, ExportsWriteTheirFilesAndKeepTheirNames) {
    okno2->picture.fill(4);
    TFileDialog::QueueAnswer(dir.filePath("green"));
    okno1->PictureKoalaItem->trigger();
    TFileDialog::QueueAnswer(dir.filePath("green"));
    okno1->PicturePrgItem->trigger();
    QFile koala(dir.filePath("green.koa")), program(dir.filePath("green.prg"));
    ASSERT_TRUE(koala.open(QIODevice::ReadOnly));
    ASSERT_TRUE(program.open(QIODevice::ReadOnly));
    const QByteArray bytes = koala.readAll();
    ASSERT_EQ(bytes.size(), 10003);
    EXPECT_EQ(bytes[10002] & 0x0F, 0); // black stays the background
    EXPECT_EQ(okno1->KoalaFileDialog.FileName, dir.filePath("green.koa"));
    EXPECT_EQ(okno1->PrgFileDialog.FileName, dir.filePath("green.prg"));
    EXPECT_TRUE(okno1->SaveDialog.FileName != okno1->KoalaFileDialog.FileName);
}

// The marks follow the picture: a cell gets one when it gains a fourth colour of its own, and
// loses it when it goes back to three.
TEST_F(PictureMenu, ClashMarksFollowThePainting) {
    pixel(0, 0) = 2, pixel(1, 0) = 5, pixel(2, 0) = 7, pixel(0, 1) = 7; // exact with black
    okno1->PictureClashesItem->trigger();
    EXPECT_TRUE(okno2->show_clashes);
    EXPECT_FALSE(marked(0, 0));
    okno2->draw_color = 9;
    QTest::mouseClick(okno2, Qt::LeftButton, {}, QPoint(2 * 40 + 20, 10)); // 9 over one 7
    EXPECT_EQ(pixel(2, 0), 9);
    EXPECT_TRUE(marked(0, 0));
    EXPECT_FALSE(marked(1, 0));
    QTest::mouseClick(okno2, Qt::LeftButton, {}, QPoint(20, 30)); // and over the other
    EXPECT_FALSE(marked(0, 0));
    okno1->PictureClashesItem->trigger();
    pixel(0, 1) = 7;
    okno2->FormPaint();
    EXPECT_FALSE(marked(0, 0)); // switched off
}
