#include "app/Main.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr TColor kGrid = 0x555555;

// A move with buttons held, as the window system reports a drag.
void dragTo(QPoint at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, okno2->mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(okno2, &move);
}

void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(okno2, button, {}, at);
    QTest::mouseRelease(okno2, button, {}, at);
}

void putRow(int c0, int row, std::array<std::uint8_t, 4> colors) {
    for (int i = 0; i < 4; ++i) pixel(c0 + i, row) = colors[i];
}

struct Painting : ::testing::Test {
    void SetUp() override { ResetEditor(); }

    static ::testing::AssertionResult PaintedCell(int c, int r, TColor fill) {
        const int w = int(okno2->cell_w), h = int(okno2->cell_h);
        if (auto inside = AreaIs(okno2, QRect(c * w + 1, r * h + 1, w - 2, h - 2), fill); !inside)
            return inside;
        return AreaIs(okno2, QRect(c * w, r * h, w, 1), kGrid);
    }
};

} // namespace

TEST_F(Painting, LeftPressPaintsThePixelUnderThePointer) {
    okno2->draw_color = 5;
    press({100, 50});
    EXPECT_EQ(okno2->cursor_x, 2);
    EXPECT_EQ(okno2->cursor_y, 2);
    EXPECT_EQ(pixel(2, 2), 5);
    EXPECT_TRUE(PaintedCell(2, 2, palette_color(5)));
    EXPECT_TRUE(AreaIs(okno2, QRect(80, 40, 40, 1), kGrid));
    EXPECT_TRUE(AreaIs(okno2, QRect(119, 40, 1, 20), kGrid));
    // The plot also drew the preview band at the pixel.
    EXPECT_TRUE(AreaIs(okno_prv, QRect(10, 6, 4, 2), palette_color(5)));
}

TEST_F(Painting, PressesOnTheDrawingAreasEdgesDoNothing) {
    const auto before = okno2->picture;
    okno2->cursor_x = okno2->cursor_y = 7;
    for (QPoint at :
         {QPoint(0, 50), QPoint(50, 0), QPoint(640, 50), QPoint(50, 480), QPoint(660, 500)}) {
        press(at);
        press(at, Qt::RightButton);
    }
    EXPECT_EQ(okno2->picture, before);
    EXPECT_EQ(okno2->cursor_x, 7);
    EXPECT_EQ(okno2->cursor_y, 7);
}

TEST_F(Painting, TheLastScreenPixelPaintsTheLastViewCell) {
    okno2->scroll1->setValue(2);
    okno2->scroll2->setValue(1);
    press({639, 479});
    EXPECT_EQ(pixel(8 + 15, 8 + 23), 1);
    EXPECT_TRUE(PaintedCell(15, 23, palette_color(1)));
}

TEST_F(Painting, ColumnZeroAndRowZeroArePainted) {
    press({1, 1});
    EXPECT_EQ(pixel(0, 0), 1);
    okno2->FormPaint();
    EXPECT_TRUE(AreaIs(okno2, QRect(1, 1, 38, 18), palette_color(1)));
}

TEST_F(Painting, MiddlePressOnlyMovesTheCursor) {
    const auto before = okno2->picture;
    press({300, 300}, Qt::MiddleButton);
    EXPECT_EQ(okno2->cursor_x, 7);
    EXPECT_EQ(okno2->cursor_y, 15);
    EXPECT_EQ(okno2->picture, before);
}

TEST_F(Painting, APaintedPixelKeepsAGridOutlineWithTheGridOff) {
    prefs->vexlor_grid1->setChecked(false);
    okno2->FormPaint();
    press({100, 50});
    EXPECT_TRUE(PaintedCell(2, 2, palette_color(1)));
    EXPECT_TRUE(AreaIs(okno2, QRect(40, 40, 40, 1), palette_color(0))); // its neighbour has none
}

TEST_F(Painting, InformationWindowShowsThePointersRow) {
    putRow(4, 13, {0, 9, 2, 0});
    putRow(4, 12, {5, 5, 5, 5});
    dragTo({250, 270}, Qt::NoButton); // picture (6, 13)
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(9)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 90, 26, 16), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 110, 26, 16), palette_color(0)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 130, 26, 16), palette_color(0)));
    EXPECT_EQ(okno2->picture[13 * 160 + 6], 2); // moving paints nothing
}

TEST_F(Painting, TheStripRightOfTheViewShowsColumnSixteen) {
    putRow(16, 2, {7, 0, 0, 0});
    const auto before = okno2->picture;
    dragTo({645, 50}, Qt::LeftButton);
    EXPECT_EQ(okno2->picture, before);
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(7)));
}

TEST_F(Painting, APointerLeftOfTheWindowPaintsNothing) {
    okno2->picture.fill(2);
    okno_info->show_color1(5);
    const auto before = okno2->picture;
    dragTo({-5, 50}, Qt::LeftButton | Qt::RightButton);
    dragTo({50, -5}, Qt::LeftButton);
    EXPECT_EQ(okno2->picture, before);
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(0))); // far outside: only 0
}

// At the 4 x 3 level the bars at their ends show columns 156..171 and rows 200..223.
TEST_F(Painting, PastThePicturesEdgeNothingIsPaintedOrDrawn) {
    okno2->scroll1->setValue(39);
    okno2->scroll2->setValue(24);
    okno2->draw_color = 2;
    const auto before = okno2->picture;
    press({4 * 40 + 20, 10});                            // column 160, row 192
    press({20, 8 * 20 + 10});                            // column 156, row 200
    dragTo({6 * 40 + 20, 10 * 20 + 10}, Qt::LeftButton); // column 162, row 202
    QTest::mouseClick(okno1->SpeedButton2, Qt::LeftButton);
    dragTo({4 * 40 + 20, 30}, Qt::LeftButton); // Put char on the cell of columns 160..163
    EXPECT_EQ(okno2->picture, before);
    int drawn = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) drawn += okno2->Canvas->GetPixel(x, y) == palette_color(2);
    EXPECT_EQ(drawn, 0);
    press({3 * 40 + 20, 10}); // column 159, row 192: a real pixel
    EXPECT_EQ(pixel(159, 192), 2);
    EXPECT_TRUE(PaintedCell(3, 0, palette_color(2)));
}

TEST_F(Painting, ToolButtonsChooseTheTool) {
    QTest::mouseClick(okno1->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(okno1->tool_mode, 2);
    QTest::mouseClick(okno1->tool_b1, Qt::LeftButton);
    EXPECT_EQ(okno1->tool_mode, toolSelect);
    EXPECT_TRUE(okno1->tool_b1->isChecked());
    EXPECT_FALSE(okno1->SpeedButton2->isChecked());
    QTest::mouseClick(okno1->tool_b2, Qt::LeftButton);
    EXPECT_EQ(okno1->tool_mode, 1);
}
