// The zoom view given more room than at the start: its drawing area fills the window at every
// pixel size, Fit the Picture shows all of it, and a shape dragged past its edge scrolls it.
#include "app/Main.h"
#include "navigation/navigation.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ZoomRoom : ::testing::Test {
    QSize start_size;
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
        start_size = okno2->Host()->size();
    }
    void TearDown() override {
        okno2->Host()->showNormal();
        okno2->Host()->resize(start_size);
        okno1->mode_item(fmtMulticolor)->trigger();
        ResetEditor();
    }
    // The window grown by 640 x 320: a 1310 x 840 client area, as on a 1920 x 1080 screen.
    static void grow() { okno2->Host()->resize(okno2->Host()->size() + QSize(640, 320)); }
};

} // namespace

// The picture pixel shows where the view puts it, and a click there paints that very pixel:
// one row per pixel size and mode, the view grown to 1280 x 800.
TEST_F(ZoomRoom, EveryPixelSizeFillsTheRoomAndPaintsThePixelUnderThePointer) {
    const struct {
        int size;
        std::uint8_t mode;
        int columns, rows; // shown
        PixelPos pixel;    // clicked at its last screen pixel
        int bar_across, bar_down;
    } rows[] = {
        {20, fmtMulticolor, 32, 40, {31, 39}, 32, 20},
        {4, fmtMulticolor, 160, 200, {159, 199}, 0, 0},
        {3, fmtMulticolor, 213, 266, {100, 150}, 0, 0},
        {1, fmtMulticolor, 640, 800, {7, 3}, 0, 0},
        {4, fmtHires, 320, 200, {319, 199}, 0, 0},
        {6, fmtHires, 213, 133, {33, 77}, 14, 9},
    };
    grow();
    okno1->tool_mode = toolFreePaint;
    desk().change_view([](ViewChoices& view) { view.char_grid = false; });
    const auto painted = [](int column, int row) {
        return desk().document().read_pixel(column, row);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.size << "x, mode " << int(row.mode));
        okno1->mode_item(row.mode)->trigger();
        okno2->zoom_to_size(row.size, 0, 0);
        EXPECT_EQ(okno2->view_cols, std::uint32_t(row.columns));
        EXPECT_EQ(okno2->view_rows, std::uint32_t(row.rows));
        EXPECT_EQ(okno2->scroll1->maximum(), row.bar_across);
        EXPECT_EQ(okno2->scroll2->maximum(), row.bar_down);
        const int w = int(okno2->cell_w), h = int(okno2->cell_h);
        const QPoint last(row.pixel.column * w + w - 1, row.pixel.row * h + h - 1);
        okno2->draw_color = 2;
        QTest::mouseClick(okno2, Qt::LeftButton, {}, last);
        EXPECT_EQ(painted(row.pixel.column, row.pixel.row), 2);
        EXPECT_EQ(painted(row.pixel.column + 1, row.pixel.row), 0);
        EXPECT_EQ(painted(row.pixel.column, row.pixel.row + 1), 0);
        okno2->FormPaint();
        const QRect shown(row.pixel.column * w, row.pixel.row * h, w, h);
        // The pixel grid outlines a pixel more than 4 screen rows high.
        EXPECT_TRUE(
            AreaIs(okno2, row.size > 4 ? shown.adjusted(1, 1, -1, -1) : shown, palette_color(2)));
        desk().document().reset();
    }
}

// Ctrl+0 takes the largest size at which the whole picture shows; restoring the window brings
// back the start's drawing area at the size chosen.
TEST_F(ZoomRoom, FitThePictureShowsAllOfItAndRestoringKeepsTheStartArea) {
    okno2->Host()->showMaximized();
    Settle();
    QTest::keyClick(okno1->Host(), Qt::Key_0, Qt::ControlModifier);
    const int size =
        fitting_pixel_size(okno2->width(), okno2->height(), desk().document().mode().shape);
    EXPECT_EQ(okno2->frame().pixel_size, size);
    EXPECT_GE(okno2->view_cols, 160u);
    EXPECT_GE(okno2->view_rows, 200u);
    EXPECT_EQ(okno2->place(), (ViewPlace{}));
    okno2->Host()->showNormal();
    Settle();
    EXPECT_EQ(okno2->size(), QSize(670, 520));
    EXPECT_EQ(okno2->frame().width, 640);
    EXPECT_EQ(okno2->frame().height, 480);
    EXPECT_EQ(okno2->frame().pixel_size, size);
    EXPECT_EQ(okno2->scroll1->geometry(), QRect(0, 497, 641, 19));
    EXPECT_EQ(okno2->scroll2->geometry(), QRect(646, 0, 19, 489));
}

// A shape held past the drawing area's right edge scrolls the view a cell at a time; let go
// out there, it ends at the pixel the pointer points at, beyond what the view first showed.
TEST_F(ZoomRoom, AShapeDraggedPastTheEdgeScrollsTheViewAndEndsWherePointed) {
    using Ends = bool (*)(int column); // whether the shape ends at that picture column
    const struct {
        std::uint8_t tool;
        QPoint to; // past the view's right edge, 640
        Ends ends;
    } rows[] = {
        {toolLine, {700, 30}, [](int end) { return pixel(end, 1) == 1 && pixel(end + 1, 1) == 0; }},
        {toolRectangle,
         {740, 30},
         [](int end) { return pixel(end, 1) == 1 && pixel(end + 1, 1) == 0; }},
        {toolSelect,
         {700, 90},
         [](int end) {
             const auto area = desk().document().selection();
             return area && area->left == 1 && area->right() == end && area->bottom() == 4;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.tool));
        ResetEditor();
        okno1->tool_mode = row.tool;
        mouse(QEvent::MouseButtonPress, cell(1, 1), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, row.to, Qt::NoButton, Qt::LeftButton);
        EXPECT_TRUE(SettleUntil([] { return okno2->place().scroll_x >= 8; }, 10000));
        mouse(QEvent::MouseButtonRelease, row.to, Qt::LeftButton, Qt::NoButton);
        EXPECT_TRUE(row.ends(okno2->place().scroll_x + row.to.x() / 40));
        // The view rests once the button is let go.
        const ViewPlace resting = okno2->place();
        QTest::qWait(200);
        EXPECT_EQ(okno2->place(), resting);
    }
}
