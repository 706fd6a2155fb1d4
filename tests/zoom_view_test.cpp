#include "app/Main.h"
#include "prefs/prefswin.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <gtest/gtest.h>

namespace {

struct ZoomView : ::testing::Test {
    void SetUp() override { ResetEditor(); }

    // The view cell's rectangle: outlined in `outline`, filled with `fill`.
    static ::testing::AssertionResult CellIs(int c, int r, TColor fill, TColor outline) {
        const int w = int(okno2->cell_w), h = int(okno2->cell_h);
        const QRect box(c * w, r * h, w, h);
        if (auto inside = AreaIs(okno2, box.adjusted(1, 1, -1, -1), fill); !inside) return inside;
        for (const QRect& edge :
             {QRect(box.left(), box.top(), w, 1), QRect(box.left(), box.bottom(), w, 1),
              QRect(box.left(), box.top(), 1, h), QRect(box.right(), box.top(), 1, h)})
            if (auto line = AreaIs(okno2, edge, outline); !line) return line;
        return ::testing::AssertionSuccess();
    }
};

constexpr TColor kGrid = 0x555555, kCharGrid = 0x11E0FF;

} // namespace

TEST_F(ZoomView, StartShowsSixteenByTwentyFourPixelsOfFortyByTwenty) {
    okno2->picture[1 * 160 + 2] = 5;
    okno2->FormPaint();
    EXPECT_TRUE(CellIs(2, 1, palette_color(5), kGrid));
    EXPECT_TRUE(AreaIs(okno2, QRect(81, 21, 38, 18), palette_color(5)));
    EXPECT_TRUE(CellIs(3, 1, palette_color(0), kGrid));
    EXPECT_TRUE(CellIs(15, 23, palette_color(0), kGrid));
}

TEST_F(ZoomView, ColumnZeroAndRowZeroShowWhatThePictureHolds) {
    okno2->picture[0] = 7;
    okno2->picture[5 * 160] = 2;
    okno2->FormPaint();
    EXPECT_TRUE(AreaIs(okno2, QRect(1, 1, 38, 18), palette_color(7)));
    EXPECT_TRUE(AreaIs(okno2, QRect(1, 101, 38, 18), palette_color(2)));
}

TEST_F(ZoomView, ToolBarZoomKeepsTheScrollPosition) {
    okno2->scroll1->setValue(10);
    okno2->scroll2->setValue(3);
    EXPECT_EQ(okno2->scroll_x, 40);
    EXPECT_EQ(okno2->scroll_y, 24);
    okno2->picture[25 * 160 + 41] = 2;
    okno1->tool_zoom1Click();
    EXPECT_EQ(okno2->view_cols, 32u);
    EXPECT_EQ(okno2->view_rows, 48u);
    EXPECT_EQ(okno2->cell_w, 20u);
    EXPECT_EQ(okno2->cell_h, 10u);
    EXPECT_EQ(okno2->scroll_x, 40);
    EXPECT_EQ(okno2->scroll_y, 24);
    EXPECT_TRUE(CellIs(1, 1, palette_color(2), kGrid));
    okno1->tool_zoom2Click();
    EXPECT_EQ(okno2->view_cols, 16u);
    EXPECT_EQ(okno2->cell_w, 40u);
    EXPECT_EQ(okno2->scroll_x, 40);
    EXPECT_TRUE(CellIs(1, 1, palette_color(2), kGrid));
}

TEST_F(ZoomView, SetZoomReturnsToTheOriginWhileTheBarsStay) {
    okno2->scroll1->setValue(10);
    okno2->scroll2->setValue(3);
    okno2->cursor_x = 12;
    okno2->set_zoom(8, 6);
    EXPECT_EQ(okno2->view_cols, 32u);
    EXPECT_EQ(okno2->view_rows, 48u);
    EXPECT_EQ(okno2->scroll_x, 0);
    EXPECT_EQ(okno2->scroll_y, 0);
    EXPECT_EQ(okno2->cursor_x, 0);
    EXPECT_EQ(okno2->scroll1->value(), 10);
    EXPECT_EQ(okno2->scroll2->value(), 3);
    okno2->scroll1->setValue(11);
    EXPECT_EQ(okno2->scroll_x, 44);
    EXPECT_EQ(okno2->scroll_y, 0);
}

TEST_F(ZoomView, PositionsPastThePictureDrawInPaletteEntryZero) {
    prefs->vexlor_grid2->setChecked(false);
    okno2->picture.fill(3);
    okno2->scroll1->setValue(39);
    EXPECT_EQ(okno2->scroll_x, 156);
    EXPECT_TRUE(CellIs(3, 5, palette_color(3), kGrid));  // column 159
    EXPECT_TRUE(CellIs(4, 5, palette_color(0), kGrid));  // column 160
    EXPECT_TRUE(CellIs(15, 5, palette_color(0), kGrid)); // column 171
    okno2->scroll2->setValue(25);
    for (int r : {0, 12, 23}) EXPECT_TRUE(CellIs(0, r, palette_color(0), kGrid));
}

TEST_F(ZoomView, PixelGridOffOutlinesEachPixelInItsOwnColour) {
    okno2->picture[1 * 160 + 2] = 4;
    prefs->vexlor_grid1->setChecked(false);
    okno2->FormPaint();
    EXPECT_TRUE(CellIs(2, 1, palette_color(4), palette_color(4)));
    EXPECT_TRUE(CellIs(1, 1, palette_color(0), palette_color(0)));
    prefs->vexlor_grid1->setChecked(true);
    okno2->FormPaint();
    EXPECT_TRUE(CellIs(2, 1, palette_color(4), kGrid));
}

TEST_F(ZoomView, CharacterGridAtFourByThree) {
    for (int x : {0, 160, 320, 480})
        EXPECT_TRUE(AreaIs(okno2, QRect(x, 0, 1, 480), kCharGrid)) << x;
    for (int y : {0, 160, 320}) EXPECT_TRUE(AreaIs(okno2, QRect(0, y, 640, 1), kCharGrid)) << y;
    // The line at y = 480 lies in the strip under the drawing area.
    EXPECT_TRUE(AreaIs(okno2, QRect(0, 480, 640, 1), kCharGrid));
    EXPECT_NE(okno2->Canvas->GetPixel(640, 100), kCharGrid);
    EXPECT_NE(okno2->Canvas->GetPixel(81, 100), kCharGrid);
    EXPECT_NE(okno2->Canvas->GetPixel(100, 481), kCharGrid);
}

TEST_F(ZoomView, CharacterGridAtEightBySix) {
    okno1->tool_zoom1Click();
    for (int x = 0; x <= 560; x += 80)
        EXPECT_TRUE(AreaIs(okno2, QRect(x, 0, 1, 480), kCharGrid)) << x;
    for (int y = 0; y <= 480; y += 80)
        EXPECT_TRUE(AreaIs(okno2, QRect(0, y, 640, 1), kCharGrid)) << y;
    EXPECT_NE(okno2->Canvas->GetPixel(640, 100), kCharGrid);
    EXPECT_NE(okno2->Canvas->GetPixel(100, 40), kCharGrid);
}

TEST_F(ZoomView, CharacterGridOffLeavesOnlyThePixels) {
    prefs->vexlor_grid2->setChecked(false);
    okno2->FormPaint();
    EXPECT_TRUE(CellIs(4, 8, palette_color(0), kGrid)); // (160, 160) would carry the char grid
    EXPECT_TRUE(CellIs(0, 0, palette_color(0), kGrid));
}

TEST_F(ZoomView, ChangedGridColoursShowAtTheNextPaint) {
    okno2->pixel_grid_color = 0x0000CC;
    okno2->char_grid_color = 0xFF8800;
    okno2->FormPaint();
    EXPECT_TRUE(CellIs(1, 1, palette_color(0), 0x0000CC));
    EXPECT_TRUE(AreaIs(okno2, QRect(160, 0, 1, 480), 0xFF8800));
}
