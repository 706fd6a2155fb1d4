#include "app/Main.h"
#include "formats/koala.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "print/picture_print.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>
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
        return write_file(dir.filePath("plain.koa"),
                          write_koala(encode_multicolor(multicolor_grid(picture)).image));
    }
    // The red of a clash mark at the top-left corner of view cell `left`, `top`.
    static bool marked(int left, int top) {
        return okno2->Canvas->GetPixel(left * 160, top * 160) == RGBColor(255, 0, 0);
    }
};

} // namespace

TEST_F(PictureMenu, StandsAfterEditWithItsItems) {
    const auto menus = okno1->MainMenu->actions();
    ASSERT_EQ(menus.size(), 8);
    EXPECT_EQ(menus[2]->text(), "&Picture");
    QStringList items;
    for (const QAction* item : okno1->PictureMenu->actions())
        items << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(items, (QStringList{"&Import...", "&Background Colour...", "-", "Export as &Koala...",
                                  "Export as &FLI...", "Export as &Other C64 Format...",
                                  "Export as &PRG...", "Export as P&NG...", "-", "&Mode",
                                  "Show colour &clashes", "Fi&x Colour Clashes",
                                  "Fix Colour Clashes wi&th Sprites", "-", "S&wap Pages",
                                  "Copy to &Spare Page"}));
    QStringList modes;
    for (const QAction* item : okno1->PictureModeMenu->actions()) modes << item->text();
    EXPECT_EQ(modes, (QStringList{"&Multicolor", "&FLI", "&Hires", "&AFLI"}));
    EXPECT_TRUE(okno1->mode_item(fmtMulticolor)->isChecked());
    EXPECT_EQ(okno1->PictureImportItem->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_TRUE(okno1->PictureClashesItem->isCheckable());
}

// Picture > Mode marks the picture's mode, and only it, however the mode came: at start, from
// the menu, by a step taken back, or with a picture opened.
TEST_F(PictureMenu, ModeMarksThePicturesMode) {
    const QString file = dir.filePath("p.vxr");
    TFileDialog::QueueAnswer(file);
    okno1->FileSaveAsItem->trigger();
    const struct {
        const char* what;
        std::function<void()> change;
        std::uint8_t mode;
    } cases[] = {
        {"Hires from the menu", [] { okno1->mode_item(fmtHires)->trigger(); }, fmtHires},
        {"AFLI from the menu", [] { okno1->mode_item(fmtAfli)->trigger(); }, fmtAfli},
        {"the step taken back", [] { okno1->EditUndoItem->trigger(); }, fmtHires},
        {"a picture opened", [&] { okno1->open_picture(file, OpenAs::ByKind); }, fmtMulticolor},
    };
    EXPECT_EQ(start_state.modes_marked, QStringList{"&Multicolor"}) << "at start";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_EQ(okno1->picture_format, c.mode);
        EXPECT_EQ(modes_marked(), QStringList{okno1->mode_item(c.mode)->text()});
    }
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

// An export's dialog starts with the picture's own name in the export's extension: its file's,
// else the preferences' name in the folder the dialog chose last. A finished export says on the
// status bar where it wrote.
TEST_F(PictureMenu, AnExportStartsWithThePicturesNameAndSaysWhereItWrote) {
    QStatusBar* bar = static_cast<QMainWindow*>(okno1->Host())->statusBar();
    const QString folder = dir.filePath("pictures");
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        QAction* item;
        TSaveDialog& dialog;
        const char* extension;
    } exports[] = {
        {okno1->PictureKoalaItem, okno1->KoalaFileDialog, "koa"},
        {okno1->PictureFliItem, okno1->FliFileDialog, "bml"},
        {okno1->PictureOtherItem, okno1->OtherFileDialog, "ocp"},
        {okno1->PicturePrgItem, okno1->PrgFileDialog, "prg"},
        {okno1->PicturePngItem, okno1->PngFileDialog, "png"},
    };
    for (const auto& row : exports) {
        SCOPED_TRACE(row.extension);
        ResetEditor();
        row.dialog.FileName = dir.filePath("chosen-before.xyz");
        row.dialog.FilterIndex = 1;
        TFileDialog::QueueAnswer(std::nullopt);
        row.item->trigger();
        EXPECT_EQ(row.dialog.FileName,
                  dir.filePath(QStringLiteral("picture0.%1").arg(row.extension)));

        QFile::remove(folder + "/castle.vxr");
        TFileDialog::QueueAnswer(folder + "/castle.vxr");
        okno1->FileSaveAsItem->trigger();
        TFileDialog::QueueAnswer(std::nullopt);
        row.item->trigger();
        const QString offered = folder + QStringLiteral("/castle.%1").arg(row.extension);
        EXPECT_EQ(row.dialog.FileName, offered);

        bar->clearMessage();
        TFileDialog::QueueAnswer(offered);
        if (row.dialog.Filter.startsWith("PNG"))
            WhenModal([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
        row.item->trigger();
        EXPECT_TRUE(QFileInfo(offered).isFile());
        EXPECT_EQ(bar->currentMessage(), "Exported to " + QDir::toNativeSeparators(offered));
    }
}

// The marks follow the picture: a cell gets one when it gains a fourth colour of its own, and
// loses it when it goes back to three.
TEST_F(PictureMenu, ClashMarksFollowThePainting) {
    pixel(0, 0) = 2, pixel(1, 0) = 5, pixel(2, 0) = 7, pixel(0, 1) = 7; // exact with black
    okno1->PictureClashesItem->trigger();
    EXPECT_TRUE(desk().view().clashes);
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

namespace {

// Each channel halfway between the two colours, rounded up.
TColor halfway(TColor a, TColor b) {
    return RGBColor((RedOf(a) + RedOf(b) + 1) / 2, (GreenOf(a) + GreenOf(b) + 1) / 2,
                    (BlueOf(a) + BlueOf(b) + 1) / 2);
}

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

// A reference image shows blended over the picture in both views, at the opacity chosen and
// while Q shows it; a file, an export and a print hold the picture alone, and Pick colour and
// the cell rules see only the picture's colours.
TEST_F(PictureMenu, TheReferenceImageShowsInTheViewsAndNowhereElse) {
    QImage white(160, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QString reference = dir.filePath("white.png");
    ASSERT_TRUE(white.save(reference));
    const auto load = [&](const QString& file) {
        TFileDialog::QueueAnswer(file);
        okno1->ViewReferenceItem->trigger();
        QApplication::setActiveWindow(okno1->Host()); // the keys go to the frame again
    };
    // An image comes through Import's dialog, taken as it offers it.
    const auto load_image = [&](const QString& file) {
        WhenModal([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
        load(file);
    };
    okno2->picture.fill(2);
    pixel(1, 1) = 6, pixel(3, 1) = 7; // the cell holds three colours and the background
    // Over the picture, in the zoom view, in the preview and on each pixel as it is painted;
    // a C64 picture shows in its own colours.
    load_image(reference);
    okno1->ViewReferenceOpacityMenu->actions()[2]->trigger(); // 50%
    okno1->color_b9->click();
    QTest::mouseClick(okno2, Qt::LeftButton, {}, cell(8, 8));
    const struct {
        const char* what;
        TForm* view;
        QPoint at;
        TColor alone, over; // the picture's colour, and the reference's over it
    } shown[] = {
        {"the zoom view", okno2, cell(1, 1), palette_color(6), clWhite},
        {"the preview", okno_prv, {2 + 4 * 1 + 1, 2 + 2 * 1}, palette_color(6), clWhite},
        {"a pixel painted", okno2, cell(8, 8), palette_color(9), clWhite},
    };
    for (const auto& [what, view, at, alone, over] : shown) {
        SCOPED_TRACE(what);
        EXPECT_EQ(Hex(view->Canvas->GetPixel(at.x(), at.y())), Hex(halfway(alone, over)));
        QTest::keyClick(okno1->Host(), Qt::Key_Q); // hides it
        EXPECT_EQ(Hex(view->Canvas->GetPixel(at.x(), at.y())), Hex(alone));
        QTest::keyClick(okno1->Host(), Qt::Key_Q);
    }
    // In hires each pixel of the image lies under two of the picture's, out to the right edge.
    okno1->mode_item(fmtHires)->trigger();
    const PreviewPixels block = preview_pixels(okno1->preview_size, desk().document().mode().shape);
    const QPoint right_edge{block.origin + block.width * 319, block.origin + block.height * 1};
    EXPECT_EQ(Hex(okno_prv->Canvas->GetPixel(right_edge.x(), right_edge.y())),
              Hex(halfway(palette_color(2), clWhite)));
    okno1->EditUndoClick();
    load(koala_of(5));
    EXPECT_EQ(Hex(okno2->Canvas->GetPixel(cell(0, 0).x(), cell(0, 0).y())),
              Hex(halfway(palette_color(2), palette_color(5))));
    okno1->ViewRemoveReferenceItem->trigger();
    pixel(8, 8) = 2;

    SetPrintDialogAnswer([&](PrintDialogKind, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        return true;
    });
    const struct {
        const char* what;
        std::function<QByteArray()> result;
    } rows[] = {
        {"a saved file",
         [&] {
             TFileDialog::QueueAnswer(dir.filePath("saved.vxr"));
             okno1->FileSaveAs();
             return file_bytes(dir.filePath("saved.vxr"));
         }},
        {"a Koala export",
         [&] {
             TFileDialog::QueueAnswer(dir.filePath("exported.koa"));
             okno1->PictureKoalaItem->trigger();
             return file_bytes(dir.filePath("exported.koa"));
         }},
        {"a PNG export",
         [&] {
             TFileDialog::QueueAnswer(dir.filePath("exported.png"));
             WhenModal([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
             okno1->PicturePngItem->trigger();
             return file_bytes(dir.filePath("exported.png"));
         }},
        {"a print",
         [&] {
             okno1->FilePrint();
             const QImage page = render_pdf(dir.filePath("printed.pdf")).first;
             return QByteArray(reinterpret_cast<const char*>(page.constBits()),
                               qsizetype(page.sizeInBytes()));
         }},
        {"Pick colour",
         [] {
             okno1->tool_pick->click();
             QTest::mouseClick(okno2, Qt::LeftButton, {}, cell(1, 1));
             okno1->tool_b2->click();
             return QByteArray(1, char(okno2->draw_color));
         }},
        {"the cell rules",
         [] {
             okno1->color_b5->click();
             QTest::mouseClick(okno2, Qt::LeftButton, {}, cell(2, 1)); // a fourth colour
             const char painted = char(pixel(2, 1));
             pixel(2, 1) = 2;
             return QByteArray(1, painted);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QByteArray alone = row.result();
        EXPECT_FALSE(alone.isEmpty());
        load_image(reference);
        okno1->ViewReferenceOpacityMenu->actions().back()->trigger(); // 100%
        EXPECT_EQ(okno2->Canvas->GetPixel(cell(1, 1).x(), cell(1, 1).y()), clWhite);
        EXPECT_EQ(row.result(), alone);
        okno1->ViewRemoveReferenceItem->trigger();
        EXPECT_EQ(okno2->Canvas->GetPixel(cell(1, 1).x(), cell(1, 1).y()), palette_color(6));
    }
    SetPrintDialogAnswer(nullptr);
}

// Copy to Spare Page replaces a spare page with changes not saved only when the user says so.
TEST_F(PictureMenu, CopyToSparePageAsksBeforeReplacingWorkNotSaved) {
    const struct {
        const char* what;
        bool spare_changed, answer;
        bool asked, replaced;
    } rows[] = {
        {"no spare page yet", false, false, false, true},
        {"changes kept", true, false, true, false},
        {"changes replaced", true, true, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ResetEditor();
        if (row.spare_changed) {
            okno1->PictureSwapPagesItem->trigger();
            okno1->color_b3->click();
            QTest::mouseClick(okno2, Qt::LeftButton, {}, cell(0, 0));
            okno1->PictureSwapPagesItem->trigger();
        }
        pixel(0, 0) = 8;
        bool asked = false;
        SetQuestionDisplay([&](const QString&, const QString& text) {
            asked = text.contains("The spare page has changes that are not saved");
            return row.answer;
        });
        okno1->PictureCopyToSpareItem->trigger();
        EXPECT_EQ(asked, row.asked);
        okno1->PictureSwapPagesItem->trigger();
        EXPECT_EQ(desk().page_shown(), 2);
        EXPECT_EQ(pixel(0, 0), row.replaced ? 8 : 3);
    }
}
