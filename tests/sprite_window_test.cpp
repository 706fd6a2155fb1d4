// The sprites in the windows: added with the sprite tool, painted into with I at screen
// resolution over a multicolour picture, shown with their outlines, taken back and removed.
#include "app/Main.h"
#include "preview/preview_window.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SpriteWindows : ::testing::Test {
    void SetUp() override { ResetEditor(); }
    void TearDown() override { ResetEditor(); }
    static void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, at, button, button);
        mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
};

constexpr TColor kChosenOutline = RGBColor(255, 255, 0);

} // namespace

// At the 4 x 3 level a picture pixel is 40 x 20 and a screen pixel 20 x 20: a white pixel
// painted into a hires sprite fills the right half of a green picture pixel.
TEST_F(SpriteWindows, AHiresSpritePixelShowsHalfAMulticolourPixel) {
    pixel(2, 1) = 5;
    pixel(3, 1) = 5;
    okno1->redraw_views();
    QTest::keyClick(okno1->Host(), Qt::Key_V);
    ASSERT_EQ(okno1->tool_mode, toolSprite);
    const QPoint right_half(2 * 40 + 30, 1 * 20 + 10); // screen pixel (5, 1)
    click(right_half);
    ASSERT_EQ(desk().document().sprites().sprites.size(), 1u);
    EXPECT_EQ(desk().document().sprites().sprites[0], (Sprite{.x = 5, .y = 1, .colour = 1}));

    QTest::keyClick(okno1->Host(), Qt::Key_I);
    EXPECT_EQ(desk().paint_target(), PaintTarget::Sprites);
    EXPECT_TRUE(okno1->findChild<QAction*>("EditPaintIntoSpritesItem")->isChecked());
    QTest::keyClick(okno1->Host(), Qt::Key_P);
    click(right_half);
    click({3 * 40 + 10, 1 * 20 + 10}, Qt::LeftButton);  // screen pixel (6, 1)
    click({3 * 40 + 10, 1 * 20 + 10}, Qt::RightButton); // cleared again
    // A pixel outside every sprite is refused, in words.
    click({10, 300});
    EXPECT_EQ(static_cast<QMainWindow*>(okno1->Host())->statusBar()->currentMessage(),
              "No sprite lies there");

    // The outline (yellow, then black) runs along the box's left edge at x 99 and 100 and its
    // top at y 19 and 20; the painted half inside it, the picture's green beside it.
    EXPECT_TRUE(AreaIs(okno2, QRect(102, 22, 17, 17), palette_color(1)));
    EXPECT_TRUE(AreaIs(okno2, QRect(81, 22, 17, 17), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno2, QRect(121, 22, 38, 17), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno2, QRect(99, 40, 1, 300), kChosenOutline));
    // The preview at double size: a screen pixel 2 x 2 from (2, 2).
    // The outline runs along its first column and row.
    EXPECT_TRUE(AreaIs(okno_prv, QRect(13, 5, 1, 1), palette_color(1)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(10, 4, 2, 2), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(12, 6, 1, 30), kChosenOutline));

    // Undo takes the strokes back, one a click: the half shows the picture again.
    for (int step = 0; step < 3; ++step) okno1->EditUndoItem->trigger();
    EXPECT_TRUE(AreaIs(okno2, QRect(102, 22, 17, 17), palette_color(5)));

    // Delete removes the chosen sprite while the sprite tool is chosen.
    QTest::keyClick(okno1->Host(), Qt::Key_V);
    ASSERT_TRUE(okno1->EditDeleteItem->isEnabled());
    okno1->EditDeleteItem->trigger();
    EXPECT_TRUE(desk().document().sprites().sprites.empty());
    EXPECT_FALSE(okno1->EditDeleteItem->isEnabled());
}
