// View > PAL Display and View > PAL Blends in the windows.
#include "app/Main.h"
#include "dialogs/pal_blends_dialog.h"
#include "preview/preview_window.h"
#include "settings/palette_setting.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PalViewWindow : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        okno1->show_in_palette(PaletteId::Pepto);
        QApplication::setActiveWindow(okno1->Host());
    }
    void TearDown() override { ResetEditor(); }

    // What the PAL display shows at screen pixel `part` of picture pixel (column, row).
    static TColor pal_color(int column, int row, int part, PaletteId palette = PaletteId::Pepto) {
        const std::vector<TColor> shown =
            PalDisplay(palette_colors(palette)).show_picture(desk().document().grid(), 2);
        return shown[std::size_t(row * 320 + column * 2 + part)];
    }
    // The preview at double size: a picture pixel is 4 x 2 screen pixels from (2, 2).
    static TColor preview_at(int column, int row, int part) {
        return okno_prv->Canvas->GetPixel(2 + 4 * column + 2 * part, 2 + 2 * row);
    }
    // The zoom view at 4 x 3 cells: a picture pixel is 40 x 20 screen pixels.
    static TColor zoom_at(int column, int row, int part) {
        return okno2->Canvas->GetPixel(40 * column + 10 + 20 * part, 20 * row + 10);
    }
};

} // namespace

// V shows the picture in the preview as a PAL television does, in the palette's colours, and the
// zoom view too once asked; both choices are kept for the next start, and V again shows the
// palette's colours.
TEST_F(PalViewWindow, TheKeyShowsThePreviewAsPalAndTheZoomViewOnRequest) {
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 160; ++column) pixel(column, row) = row % 2 ? 8 : 2;
    pixel(2, 5) = 1; // a white pixel on an orange line: its colour spreads along the line
    okno1->redraw_views();
    EXPECT_FALSE(okno1->ViewPalZoomItem->isEnabled());
    EXPECT_EQ(preview_at(3, 5, 0), palette_color(8));

    QTest::keyClick(okno1->Host(), Qt::Key_V, Qt::ShiftModifier);
    EXPECT_TRUE(okno1->ViewPalDisplayItem->isChecked());
    EXPECT_TRUE(okno1->ViewPalZoomItem->isEnabled());
    for (const auto& [column, row, part] : {std::array{3, 5, 0}, {3, 5, 1}, {2, 5, 1}, {9, 6, 0}}) {
        EXPECT_EQ(preview_at(column, row, part), pal_color(column, row, part))
            << column << "," << row << " part " << part;
        EXPECT_EQ(zoom_at(column, row, part), palette_color(pixel(column, row)));
    }
    EXPECT_NE(pal_color(9, 6, 0), palette_color(2)); // the line pair mixes

    okno1->ViewPalZoomItem->trigger();
    for (const auto& [column, row, part] : {std::array{3, 5, 0}, {3, 5, 1}, {9, 6, 0}})
        EXPECT_EQ(zoom_at(column, row, part), pal_color(column, row, part));
    EXPECT_EQ(stored_pal_view().preview, true);
    EXPECT_EQ(stored_pal_view().zoom_view, true);
    okno1->ViewPaletteColodoreItem->trigger(); // the PAL display is made again in its colours
    EXPECT_EQ(preview_at(9, 6, 0), pal_color(9, 6, 0, PaletteId::Colodore));
    okno1->ViewPalettePeptoItem->trigger();

    QTest::keyClick(okno1->Host(), Qt::Key_V, Qt::ShiftModifier);
    EXPECT_EQ(preview_at(9, 6, 0), palette_color(2));
    EXPECT_EQ(zoom_at(9, 6, 0), palette_color(2));
    EXPECT_FALSE(stored_pal_view().preview);
}

// Painting in the PAL view leaves the preview and the zoom view as a full redraw draws them: the
// pixels around the painted one change with it, and where a full cell took the new colour, those
// around each of its pixels that did.
TEST_F(PalViewWindow, PaintingShowsWhatAFullRedrawShows) {
    okno1->ViewPalDisplayItem->trigger();
    okno1->ViewPalZoomItem->trigger();
    const struct {
        FullCell choice;
        std::uint8_t third; // on the even rows' odd columns: 5 fills the cells
        PixelPos recoloured;
    } cases[] = {{FullCell::KeepColours, 2, {2, 3}}, {FullCell::ReplaceColour, 5, {0, 1}}};
    for (const auto& [choice, third, recoloured] : cases) {
        desk().painter().full_cell = choice;
        for (int row = 0; row < 200; ++row)
            for (int column = 0; column < 160; ++column)
                pixel(column, row) = row % 2 ? 8 : column % 2 ? third : 2;
        okno1->redraw_views();
        okno2->draw_color = 1;
        mouse(QEvent::MouseButtonPress, cell(2, 3), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, cell(3, 3), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, cell(3, 3), Qt::LeftButton, Qt::NoButton);
        ASSERT_EQ(pixel(2, 3), 1);
        ASSERT_EQ(pixel(recoloured.column, recoloured.row), 1);
        const auto shown = [] {
            std::vector<TColor> colors;
            for (int row = 0; row < 24; ++row)
                for (int column = 0; column < 16; ++column)
                    for (int part = 0; part < 2; ++part)
                        colors.insert(colors.end(),
                                      {preview_at(column, row, part), zoom_at(column, row, part)});
            return colors;
        };
        const std::vector<TColor> painted = shown();
        okno1->redraw_views();
        EXPECT_EQ(painted, shown()) << int(third);
        EXPECT_EQ(zoom_at(1, 3, 1), pal_color(1, 3, 1)); // a neighbour, changed with the pixel
        EXPECT_NE(zoom_at(1, 3, 1), palette_color(8));
    }
}

// A blend chosen from the list paints its two colours on alternating rows; choosing a colour
// paints that colour alone again.
TEST_F(PalViewWindow, ABlendChosenPaintsAlternatingRowsUntilAColourIsChosen) {
    WhenModal([] {
        auto* dialog = qobject_cast<PalBlendsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const std::vector<PalBlend> blends = pal_blends(shown_pal_display());
        const auto found = std::find(blends.begin(), blends.end(), PalBlend{2, 11});
        ASSERT_NE(found, blends.end()); // red and dark grey share a luma level
        dialog->blends->setCurrentRow(int(found - blends.begin()));
        dialog->accept();
    });
    okno1->ViewPalBlendsItem->trigger();
    EXPECT_EQ(okno2->draw_color, 2);
    for (int row = 2; row < 6; ++row) {
        mouse(QEvent::MouseButtonPress, cell(1, row), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, cell(1, row), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(pixel(1, row), row % 2 ? 11 : 2) << row;
    }
    QTest::mouseClick(okno1->color_b7, Qt::LeftButton);
    QTest::mouseClick(okno1->color_b2, Qt::LeftButton);
    mouse(QEvent::MouseButtonPress, cell(2, 3), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, cell(2, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pixel(2, 3), 2);
}
