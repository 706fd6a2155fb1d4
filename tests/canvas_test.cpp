#include "platform/tcanvas.h"
#include "tests/gui_support.h"
#include <gtest/gtest.h>

namespace {

// A bare surface: what a form's canvas draws on.
struct Surface : ::testing::Test {
    QImage image{40, 30, QImage::Format_RGB32};
    TCanvas canvas;
    void SetUp() override {
        image.fill(Qt::black);
        canvas.Attach(&image);
    }
    int count(TColor color) const {
        int n = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) n += canvas.GetPixel(x, y) == color;
        return n;
    }
};

} // namespace

TEST_F(Surface, RectangleFillsInsideItsOutlineAndStopsShortOfTheSecondCorner) {
    canvas.Brush.Color = 0x0000CC;
    canvas.Pen.Color = 0x555555;
    canvas.Rectangle(2, 3, 8, 7);
    EXPECT_EQ(canvas.GetPixel(2, 3), 0x555555u);
    EXPECT_EQ(canvas.GetPixel(7, 6), 0x555555u);
    EXPECT_EQ(canvas.GetPixel(3, 4), 0x0000CCu);
    EXPECT_EQ(canvas.GetPixel(6, 5), 0x0000CCu);
    EXPECT_EQ(canvas.GetPixel(8, 5), clBlack);
    EXPECT_EQ(canvas.GetPixel(5, 7), clBlack);
    EXPECT_EQ(count(0x555555), 2 * 6 + 2 * 2);
    EXPECT_EQ(count(0x0000CC), 4 * 2);
    EXPECT_EQ(canvas.TakeTouched(), QRect(2, 3, 6, 4));
}

TEST_F(Surface, TouchedAreaGathersUntilTaken) {
    canvas.SetPixel(5, 5, clWhite);
    canvas.SetPixel(9, 2, clWhite);
    canvas.SetPixel(99, 99, clWhite); // clipped: touches nothing
    EXPECT_EQ(canvas.TakeTouched(), QRect(QPoint(5, 2), QPoint(9, 5)));
    EXPECT_EQ(canvas.TakeTouched(), QRect());
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(canvas.TakeTouched(), QRect(0, 0, 3, 1));
}

TEST_F(Surface, RectangleWithThePenInTheFillColourIsSolid) {
    canvas.Brush.Color = canvas.Pen.Color = 0x00CC00;
    canvas.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(count(0x00CC00), 25);
}

TEST_F(Surface, FillRectLeavesTheRightAndBottomEdges) {
    canvas.Brush.Color = 0xFFFFFF;
    canvas.FillRect({4, 2, 8, 4});
    EXPECT_EQ(count(0xFFFFFF), 8);
    EXPECT_EQ(canvas.GetPixel(7, 3), 0xFFFFFFu);
    EXPECT_EQ(canvas.GetPixel(8, 3), clBlack);
    EXPECT_EQ(canvas.GetPixel(7, 4), clBlack);
}

TEST_F(Surface, LineToLeavesOutItsEndPoint) {
    canvas.Pen.Color = 0x11E0FF;
    canvas.MoveTo(3, 5);
    canvas.LineTo(10, 5);
    EXPECT_EQ(count(0x11E0FF), 7);
    EXPECT_EQ(canvas.GetPixel(3, 5), 0x11E0FFu);
    EXPECT_EQ(canvas.GetPixel(10, 5), clBlack);
    canvas.LineTo(10, 1); // upwards from the last end point
    EXPECT_EQ(canvas.GetPixel(10, 5), 0x11E0FFu);
    EXPECT_EQ(canvas.GetPixel(10, 1), clBlack);
    EXPECT_EQ(count(0x11E0FF), 11);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 4); // diagonal
    EXPECT_EQ(canvas.GetPixel(3, 3), 0x11E0FFu);
    EXPECT_EQ(canvas.GetPixel(4, 4), clBlack);
}

TEST_F(Surface, DrawingOutsideTheSurfaceIsClipped) {
    canvas.Brush.Color = canvas.Pen.Color = 0xFFFFFF;
    canvas.Rectangle(-10, -10, 3, 2);
    EXPECT_EQ(count(0xFFFFFF), 3 * 2);
    canvas.Rectangle(38, 28, 100, 100);
    EXPECT_EQ(count(0xFFFFFF), 6 + 4);
    canvas.SetPixel(40, 0, 0xFFFFFF);
    canvas.SetPixel(-1, 0, 0xFFFFFF);
    canvas.MoveTo(0, 29);
    canvas.LineTo(0, 1000); // the one pixel at (0, 29) is inside
    EXPECT_EQ(count(0xFFFFFF), 6 + 4 + 1);
    canvas.MoveTo(-50, 100);
    canvas.LineTo(100, 100);
    EXPECT_EQ(count(0xFFFFFF), 11);
    EXPECT_EQ(canvas.GetPixel(500, 500), clBlack);
    canvas.Brush.Color = 0x00FF00;
    canvas.FillRect({30, 27, 100, 28});
    canvas.RepeatLine(30, 100, 27, 100);
    EXPECT_EQ(count(0x00FF00), 10 * 3);
}

// Scan lines lie end to end, so a rectangle that spilled past the left edge would land at the
// end of the row above.
TEST_F(Surface, ARectangleLeftOfTheSurfaceLeavesTheRowsEndsAlone) {
    canvas.Brush.Color = canvas.Pen.Color = 0xFFFFFF;
    canvas.Rectangle(-12, 5, 4, 20);
    EXPECT_EQ(count(0xFFFFFF), 4 * 15);
    EXPECT_EQ(canvas.GetPixel(39, 10), clBlack);
    canvas.FillRect({-12, 5, 4, 20});
    EXPECT_EQ(count(0xFFFFFF), 4 * 15);
}

TEST_F(Surface, ColoursKeepTheirChannels) {
    canvas.SetPixel(1, 1, 0x0070D8); // orange: red D8, green 70
    EXPECT_EQ(canvas.GetPixel(1, 1), 0x0070D8u);
    EXPECT_EQ(qRed(image.pixel(1, 1)), 0xD8);
    EXPECT_EQ(qGreen(image.pixel(1, 1)), 0x70);
    EXPECT_EQ(qBlue(image.pixel(1, 1)), 0x00);
}
