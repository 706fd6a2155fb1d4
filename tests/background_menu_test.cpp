// The picture's background colour and the palette the views show, through the menus.
#include "app/Main.h"
#include "dialogs/background_dialog.h"
#include "display/displayed_palette.h"
#include "exchange/import_dialog.h"
#include "exchange/png_options_dialog.h"
#include "formats/koala.h"
#include "info/info_window.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "settings/palette_setting.h"
#include "storage/dlg_open.h"
#include "storage/picture_file.h"
#include "tests/c64_support.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The middle of a picture pixel in the zoom view at 4 x 3, scrolled to the corner.
QPoint zoomed(int column, int row) { return {column * 40 + 20, row * 20 + 10}; }

// A swatch or a zoomed pixel shows its colour inside its outline. In the preview the lower row
// of a pixel's 4 x 2 block: the zoom view's frame runs along the top of the area it shows.
TColor zoom_color(int column, int row) {
    return okno2->Canvas->GetPixel(column * 40 + 20, row * 20 + 10);
}
TColor preview_color(int column, int row) {
    return okno_prv->Canvas->GetPixel(4 * column + 3, 2 * row + 3);
}
TColor back_swatch() { return okno_info->Canvas->GetPixel(30, 140); }
TColor draw_swatch() { return okno_info->Canvas->GetPixel(180, 70); }

// Blue (6) everywhere; cell 0 also holds red, purple and yellow, its pixel (3, 0) blue.
PictureBytes drawn_on_blue() {
    PictureBytes picture;
    picture.fill(6);
    const std::uint8_t top_row[] = {2, 5, 7, 6};
    for (int column = 0; column < 4; ++column) picture[std::size_t(column)] = top_row[column];
    return picture;
}

struct BackgroundAndPalette : ::testing::Test {
    QTemporaryDir dir;
    void SetUp() override { ResetEditor(); }
    void TearDown() override {
        desk().change_view([](ViewChoices& view) { view.clashes = false; });
        TFileDialog::DropAnswers();
        ResetEditor();
    }
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }
    static std::vector<std::uint8_t> read(const QString& name) {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return {bytes.begin(), bytes.end()};
    }
    // Answers the change confirmation with OK, then the file dialog with `file`.
    static void confirm_and_choose(const QString& file) {
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        TFileDialog::QueueAnswer(file);
    }
};

} // namespace

TEST_F(BackgroundAndPalette, MenusOfferTheBackgroundAndThePalettes) {
    const auto menus = okno1->MainMenu->actions();
    ASSERT_EQ(menus.size(), 8);
    EXPECT_EQ(menus[3]->text(), "&Brush");
    EXPECT_EQ(menus[4]->text(), "&Sprites");
    EXPECT_EQ(menus[5]->text(), "&View");
    EXPECT_EQ(menus[6]->text(), "&Window");
    EXPECT_EQ(menus[7]->text(), "&Help");
    EXPECT_EQ(okno1->PictureMenu->actions()[1], okno1->PictureBackgroundItem);
    EXPECT_EQ(okno1->PictureBackgroundItem->text(), "&Background Colour...");
    const QList<QAction*> view_items = okno1->ViewMenu->actions();
    ASSERT_EQ(view_items.size(), 11);
    EXPECT_EQ(view_items.mid(0, 2), (QList<QAction*>{okno1->ViewPaletteMenu->menuAction(),
                                                     okno1->ViewZoomMenu->menuAction()}));
    EXPECT_TRUE(view_items[2]->isSeparator());
    EXPECT_EQ(view_items.mid(3, 4),
              (QList<QAction*>{okno1->ViewReferenceItem, okno1->ViewShowReferenceItem,
                               okno1->ViewReferenceOpacityMenu->menuAction(),
                               okno1->ViewRemoveReferenceItem}));
    EXPECT_TRUE(view_items[7]->isSeparator());
    EXPECT_EQ(view_items.mid(8), (QList<QAction*>{okno1->ViewPalDisplayItem, okno1->ViewPalZoomItem,
                                                  okno1->ViewPalBlendsItem}));
    EXPECT_EQ(okno1->ViewReferenceItem->text(), "&Reference Image...");
    EXPECT_EQ(okno1->ViewPaletteMenu->title(), "&Palette");
    QStringList items;
    for (const QAction* item : okno1->ViewPaletteMenu->actions()) {
        items << item->text();
        EXPECT_TRUE(item->isCheckable());
        EXPECT_TRUE(item->actionGroup() && item->actionGroup()->isExclusive());
    }
    EXPECT_EQ(items, (QStringList{"&Vexlor", "&Pepto", "&Colodore", "V&ICE"}));
    EXPECT_TRUE(okno1->ViewPaletteVexlorItem->isChecked());
}

// A Koala file on blue brings its background: "Back" shows blue, the right button paints
// blue, black is a colour like any other, and the export writes the same file again.
TEST_F(BackgroundAndPalette, ABlueKoalaPictureIsEditedAndExportedOnBlue) {
    const PictureBytes drawn = drawn_on_blue();
    const std::vector<std::uint8_t> koala =
        write_koala(encode_multicolor(multicolor_grid(drawn), 6).image);
    ASSERT_EQ(koala[10002], 6);
    confirm_and_choose(write("blue.koa", koala));
    okno1->PictureImportItem->trigger();
    ASSERT_TRUE(okno2->picture == stored(drawn));
    EXPECT_EQ(okno2->back_color, 6);
    EXPECT_EQ(back_swatch(), palette_color(6));

    TFileDialog::QueueAnswer(dir.filePath("again.koa"));
    okno1->PictureKoalaItem->trigger();
    EXPECT_EQ(read(dir.filePath("again.koa")), koala);

    okno2->draw_color = 0;
    QTest::mouseClick(okno2, Qt::LeftButton, {}, zoomed(3, 0)); // a fourth colour: refused
    EXPECT_EQ(pixel(3, 0), 6);
    QTest::mouseClick(okno2, Qt::RightButton, {}, zoomed(2, 0));
    EXPECT_EQ(pixel(2, 0), 6);
    QTest::mouseClick(okno2, Qt::LeftButton, {}, zoomed(3, 0)); // now there is room
    EXPECT_EQ(pixel(3, 0), 0);

    okno1->EditUndoClick();
    okno1->EditUndoClick();
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Import");
    okno1->EditUndoClick();
    EXPECT_EQ(okno2->back_color, 0);
    EXPECT_EQ(back_swatch(), palette_color(0));
    okno1->EditRedoClick();
    EXPECT_EQ(okno2->back_color, 6);

    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
    okno1->tool_clrClick();
    PictureBytes cleared;
    cleared.fill(6);
    EXPECT_TRUE(okno2->picture == stored(cleared));
}

// Recoloured, the background pixels take the new colour; kept, they stay and the dialog counts
// the cells over the limit. Either way one step, which undo and redo take back and forth with
// the background.
TEST_F(BackgroundAndPalette, TheDialogRecoloursOrKeepsAndIsOneStep) {
    for (bool recolour : {true, false}) {
        SCOPED_TRACE(recolour);
        ResetEditor();
        for (int column = 0; column < 3; ++column) pixel(column, 0) = std::uint8_t(2 + column);
        const StoredPicture before = okno2->picture;
        QString note;
        WhenModal([&] {
            auto* dialog = qobject_cast<BackgroundColourDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->color_button(0)->isChecked());
            EXPECT_TRUE(dialog->color_button(0)->font().bold());
            EXPECT_EQ(dialog->color_button(6)->text(), "blue");
            EXPECT_TRUE(dialog->recolour_box->isChecked());
            EXPECT_TRUE(dialog->limit_note->isHidden());
            QTest::mouseClick(dialog->color_button(6), Qt::LeftButton);
            if (!recolour) dialog->recolour_box->click();
            note = dialog->limit_note->isHidden() ? "" : dialog->limit_note->text();
            dialog->buttons->button(QDialogButtonBox::Ok)->click();
        });
        okno1->PictureBackgroundItem->trigger();
        ASSERT_EQ(okno2->back_color, 6);
        EXPECT_EQ(pixel(3, 0), recolour ? 6 : 0);
        EXPECT_EQ(pixel(2, 0), 4);
        EXPECT_EQ(note, recolour ? "" : "1 cell would hold more colours than a C64 shows.");
        EXPECT_EQ(zoom_color(3, 0), palette_color(recolour ? 6 : 0));
        EXPECT_EQ(preview_color(159, 199), palette_color(recolour ? 6 : 0));
        EXPECT_EQ(back_swatch(), palette_color(6));
        EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Background Colour");
        const StoredPicture after = okno2->picture;
        okno1->EditUndoClick();
        EXPECT_EQ(okno2->picture, before);
        EXPECT_EQ(okno2->back_color, 0);
        EXPECT_EQ(back_swatch(), palette_color(0));
        EXPECT_EQ(zoom_color(3, 0), palette_color(0));
        okno1->EditRedoClick();
        EXPECT_EQ(okno2->picture, after);
        EXPECT_EQ(okno2->back_color, 6);
    }
}

// A .vxr file holds no background: a picture drawn on blue opens on blue, one drawn on black
// keeps the background it finds, and undoing the Open brings the old one back.
TEST_F(BackgroundAndPalette, OpenFindsTheBackgroundAFileWasDrawnOn) {
    PictureBytes on_blue = drawn_on_blue();
    on_blue[4] = 3, on_blue[5] = 4, on_blue[6] = 8; // with cell 0, only blue fits both
    ASSERT_TRUE(save_picture_file(dir.filePath("blue.vxr"), multicolor_grid(on_blue)));
    PictureBytes on_black{};
    on_black[0] = 6;
    ASSERT_TRUE(save_picture_file(dir.filePath("black.vxr"), multicolor_grid(on_black)));

    confirm_and_choose(dir.filePath("blue.vxr"));
    okno1->FileOpen();
    EXPECT_EQ(okno2->back_color, 6);
    EXPECT_EQ(back_swatch(), palette_color(6));
    confirm_and_choose(dir.filePath("black.vxr"));
    okno1->FileOpen();
    EXPECT_EQ(okno2->back_color, 6); // every cell fits on blue too
    okno1->EditUndoClick();
    okno1->EditUndoClick();
    EXPECT_EQ(okno2->back_color, 0);
    confirm_and_choose(dir.filePath("black.vxr"));
    okno1->FileOpen();
    EXPECT_EQ(okno2->back_color, 0);
}

// Clash marks and exports judge a cell against the picture's own background.
TEST_F(BackgroundAndPalette, ClashMarksFollowTheBackground) {
    for (int column = 0; column < 4; ++column) pixel(column, 0) = std::uint8_t(column * 2);
    okno1->PictureClashesItem->trigger();
    const auto marked = [] { return okno2->Canvas->GetPixel(0, 0) == RGBColor(255, 0, 0); };
    EXPECT_FALSE(marked());
    okno2->back_color = 9;
    okno2->FormPaint();
    EXPECT_TRUE(marked());
}

// Every view, the palette bar and the dialogs that show the picture use the chosen palette.
// The palette bar keeps its own glyphs for Vexlor's palette.
TEST_F(BackgroundAndPalette, EveryViewShowsTheChosenPalette) {
    pixel(0, 0) = 4; // green, which the C64 numbers 5
    pixel(159, 199) = 4;
    okno2->draw_color = 4;
    okno2->back_color = 6;
    okno2->FormPaint();
    QAction* const items[] = {okno1->ViewPaletteVexlorItem, okno1->ViewPalettePeptoItem,
                              okno1->ViewPaletteColodoreItem, okno1->ViewPaletteViceItem};
    for (PaletteId id : kKnownPalettes) {
        SCOPED_TRACE(palette_key(id).data());
        items[std::size_t(id)]->trigger();
        EXPECT_EQ(shown_palette(), id);
        EXPECT_TRUE(items[std::size_t(id)]->isChecked());
        const Palette& colors = palette_colors(id);
        EXPECT_EQ(zoom_color(0, 0), colors[4]);
        EXPECT_EQ(preview_color(0, 0), colors[4]);
        EXPECT_EQ(preview_color(159, 199), colors[4]);
        EXPECT_EQ(back_swatch(), colors[6]);
        EXPECT_EQ(draw_swatch(), colors[4]);
        const QColor glyph =
            okno1->palette_button(4)->icon().pixmap(22, 22).toImage().pixel(10, 10);
        EXPECT_EQ(glyph,
                  id == PaletteId::Vexlor ? QColor("#559F00") : QColor(SurfaceWord(colors[4])));

        ImportDialog import(RgbImage{2, 1, {0, 204, 0, 0, 204, 0}}, QSize(2, 1));
        EXPECT_EQ(import.paletteBox->currentIndex(), id == PaletteId::Vexlor ? 0 : 1 + int(id));
        const QImage result = import.resultView->pixmap().toImage();
        const TColor shown = palette_colors(id)[import.conversion().picture[0]];
        EXPECT_EQ(result.pixel(0, 0) & 0xFFFFFF, SurfaceWord(shown) & 0xFFFFFF);
        EXPECT_EQ(PngOptionsDialog().options().palette, id);
    }
}

// The choice is kept in the settings file, where the next start reads it; a name that no
// palette has leaves Vexlor's own.
TEST_F(BackgroundAndPalette, ThePaletteIsStoredForTheNextStart) {
    okno1->ViewPaletteColodoreItem->trigger();
    QSettings settings(QStringLiteral("Vexlor"), QStringLiteral("Vexlor"));
    settings.sync();
    QFile file(settings.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << settings.fileName().toStdString();
    EXPECT_TRUE(file.readAll().contains("palette=Colodore"));
    EXPECT_EQ(stored_palette(), PaletteId::Colodore);
    settings.setValue("view/palette", "Sepia");
    EXPECT_EQ(stored_palette(), PaletteId::Vexlor);
    settings.setValue("view/palette", 3);
    EXPECT_EQ(stored_palette(), PaletteId::Vexlor);
}
