#include "app/Main.h"
#include "app/editor_desk.h"
#include "info/info_window.h"
#include "preview/preview_window.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Preview : ::testing::Test {
    // The view below the picture frames nothing, so every preview pixel is the picture's.
    void SetUp() override {
        ResetEditor();
        okno2->show_place({156, 200});
    }
    static int count(TColor color) {
        int n = 0;
        for (int y = 0; y < okno_prv->ClientHeight(); ++y)
            for (int x = 0; x < okno_prv->ClientWidth(); ++x)
                n += okno_prv->Canvas->GetPixel(x, y) == color;
        return n;
    }
};

} // namespace

TEST_F(Preview, DoubleSizeCoversExactlyTwoTwoToSixFortyOneFourHundredOne) {
    okno2->picture.fill(1);
    okno1->tool_b3Click();
    EXPECT_TRUE(AreaIs(okno_prv, QRect(QPoint(2, 2), QPoint(641, 401)), palette_color(1)));
    EXPECT_EQ(count(palette_color(1)), 640 * 400);
}

TEST_F(Preview, DoubleSizeBlocksAreFourByTwo) {
    okno2->picture[13 * 160 + 10] = 5;
    okno2->picture[0] = 2;
    okno1->redraw_preview(160, 200);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(42, 28, 4, 2), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 4, 2), palette_color(2)));
    EXPECT_EQ(count(palette_color(5)), 8);
}

TEST_F(Preview, SingleSizeDrawsOverAnOlderDoubleSizeImage) {
    okno2->picture.fill(1);
    okno1->redraw_preview(160, 200);
    okno2->picture.fill(2);
    okno1->preview_size = 1;
    okno1->redraw_preview(160, 200);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(0, 0, 320, 200), palette_color(2)));
    EXPECT_EQ(count(palette_color(2)), 320 * 200);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(320, 2, 322, 400), palette_color(1)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 200, 318, 202), palette_color(1)));
}

// The dashed line runs inside the selected pixels' edge: round the L of a free selection, not
// its bounding rectangle. At double size the pixel (c, r) covers x 2 + 4c to 5 + 4c, y 2 + 2r
// to 3 + 2r.
TEST_F(Preview, TheSelectionsOutlineFollowsTheSelectedPixelsEdge) {
    const struct {
        const char* what;
        PixelSelection selection;
        std::vector<QPoint> on, off;
    } rows[] = {
        {"an L of (0, 0), (1, 0), (0, 1)",
         PixelSelection({0, 0, 2, 2}, {1, 1, 1, 0}),
         {{7, 3}, {5, 4}, {2, 5}, {9, 2}},
         {{9, 5}, {8, 4}}},
        {"the square round it", PixelSelection(PixelArea{0, 0, 2, 2}), {{9, 5}, {8, 5}}, {{7, 3}}},
    };
    const auto on_line = [](QPoint at) {
        const TColor shown = okno_prv->Canvas->GetPixel(at.x(), at.y());
        return shown == clBlack || shown == clWhite;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        okno2->picture.fill(6);
        desk().document().select(row.selection);
        okno1->redraw_preview(160, 200);
        for (QPoint at : row.on) EXPECT_TRUE(on_line(at)) << at.x() << ", " << at.y();
        for (QPoint at : row.off) EXPECT_FALSE(on_line(at)) << at.x() << ", " << at.y();
    }
}

TEST_F(Preview, BandStartsAtThePixelItself) {
    okno2->picture.fill(5);
    okno1->redraw_preview_band(10, 13);
    // Columns 10..13 and rows 13..20.
    EXPECT_TRUE(AreaIs(okno_prv, QRect(QPoint(42, 28), QPoint(57, 43)), palette_color(5)));
    EXPECT_EQ(count(palette_color(5)), 16 * 16);
    okno1->preview_size = 1;
    okno1->redraw_preview_band(10, 13);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(QPoint(20, 13), QPoint(27, 20)), palette_color(5)));
}

TEST_F(Preview, BandPositionsOutsideThePictureAreNotDrawn) {
    okno2->picture.fill(5);
    okno1->redraw_preview_band(158, 196);
    EXPECT_EQ(count(palette_color(5)), 2 * 4 * 4 * 2); // columns 158..159, rows 196..199
    okno1->redraw_preview_band(170, 10);
    okno1->redraw_preview_band(10, 230);
    okno1->redraw_preview_band(0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_EQ(count(palette_color(5)), 64);
}

TEST_F(Preview, MovingTheMouseOverThePreviewOrPressingBesideThePictureChangesNothing) {
    okno2->picture.fill(1);
    okno1->redraw_preview(160, 200);
    QTest::mouseMove(okno_prv, QPoint(100, 100));
    QTest::mousePress(okno_prv, Qt::LeftButton, {}, QPoint(700, 420));
    QTest::mouseRelease(okno_prv, Qt::LeftButton, {}, QPoint(700, 420));
    EXPECT_EQ(count(palette_color(1)), 640 * 400);
    EXPECT_EQ(okno2->picture[0], 1);
}

TEST(InfoWindow, AnalysisSwatchesFillTheirRectangles) {
    ResetEditor();
    okno_info->show_color1(4);
    okno_info->show_color2(2);
    okno_info->show_color3(7);
    okno_info->show_back();
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(20, 70), QPoint(45, 85)), palette_color(4)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(20, 90), QPoint(45, 105)), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(20, 110), QPoint(45, 125)), palette_color(7)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(20, 130), QPoint(45, 145)), palette_color(0)));
    EXPECT_NE(okno_info->Canvas->GetPixel(46, 70), palette_color(4));
    EXPECT_NE(okno_info->Canvas->GetPixel(20, 86), palette_color(4));
    // A hires cell has two colours and no background: the other two swatches stay empty.
    okno1->mode_item(fmtHires)->trigger();
    for (const int top : {110, 130})
        EXPECT_TRUE(AreaIs(okno_info, QRect(20, top, 26, 16), okno_info->FormColor()));
    EXPECT_TRUE(okno_info->label_c3->isHidden() && okno_info->Label2->isHidden());
    okno1->mode_item(fmtMulticolor)->trigger();
    EXPECT_FALSE(okno_info->label_c3->isHidden() || okno_info->Label2->isHidden());
}

TEST(InfoWindow, DrawColourLiesOverTheBackgroundSwatch) {
    ResetEditor();
    okno_info->Canvas->Brush.Color = 0xFFFFFF;
    okno_info->Canvas->FillRect({150, 40, 230, 120});
    okno2->draw_color = 7;
    okno_info->show_current_colors();
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(160, 50), QPoint(199, 89)), palette_color(7)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(200, 66), QPoint(215, 105)), palette_color(0)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(QPoint(176, 90), QPoint(199, 105)), palette_color(0)));
    EXPECT_EQ(okno_info->Canvas->GetPixel(159, 50), 0xFFFFFFu);
    EXPECT_EQ(okno_info->Canvas->GetPixel(216, 66), 0xFFFFFFu);
    EXPECT_EQ(okno_info->Canvas->GetPixel(175, 95), 0xFFFFFFu);
}

// What the window shows on screen: the frames lie under the swatches, each a solid block.
TEST(InfoWindow, SwatchesShowOverTheirFrames) {
    ResetEditor();
    okno2->draw_color = 7;
    okno_info->show_current_colors();
    okno_info->show_color1(2);
    okno_info->show_color2(5);
    okno_info->show_color3(6);
    okno_info->show_back();
    Settle();
    const QImage shown = okno_info->grab().toImage();
    auto solid = [&](QRect area, TColor color) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (FromSurfaceWord(shown.pixel(x, y)) != color)
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
        return ::testing::AssertionSuccess();
    };
    EXPECT_TRUE(solid(QRect(QPoint(160, 50), QPoint(199, 89)), palette_color(7)));
    EXPECT_TRUE(solid(QRect(QPoint(200, 66), QPoint(215, 105)), palette_color(0)));
    EXPECT_TRUE(solid(QRect(QPoint(176, 90), QPoint(199, 105)), palette_color(0)));
    EXPECT_TRUE(solid(QRect(QPoint(20, 70), QPoint(45, 85)), palette_color(2)));
    EXPECT_TRUE(solid(QRect(QPoint(20, 90), QPoint(45, 105)), palette_color(5)));
    EXPECT_TRUE(solid(QRect(QPoint(20, 110), QPoint(45, 125)), palette_color(6)));
    EXPECT_TRUE(solid(QRect(QPoint(20, 130), QPoint(45, 145)), palette_color(0)));
}

// The information window keeps its captions while the status bar says where the pointer is:
// the picture column and row, and the cell; nothing off the picture or once the pointer leaves.
TEST(InfoWindow, LabelsKeepTheirCaptionsWhileTheStatusBarFollowsThePointer) {
    ResetEditor();
    const auto status = [] {
        const auto* bar = static_cast<QMainWindow*>(okno1->Host())->statusBar();
        const QList<QLabel*> labels = bar->findChildren<QLabel*>();
        QStringList texts;
        for (const QLabel* label : labels) // what the tools paint into has a label of its own
            if (!label->text().isEmpty() && label->objectName() != "PaintTargetLabel")
                texts << label->text();
        return texts.join(" | ");
    };
    const struct {
        ViewPlace place;
        QPoint pointer;
        const char* shown;
    } rows[] = {
        {{0, 0}, {100, 100}, "Column 2, row 5 · Cell 0, 0"},
        {{120, 176}, {620, 470}, "Column 135, row 199 · Cell 33, 24"},
        {{156, 200}, {300, 100}, ""}, // past the picture's corner
    };
    for (const auto& [place, pointer, shown] : rows) {
        SCOPED_TRACE(shown);
        okno2->show_place(place);
        mouse(QEvent::MouseMove, pointer, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(status(), shown);
        EXPECT_EQ(okno_info->label_posx->text(), "POS-X:");
        EXPECT_EQ(okno_info->Label_posy->text(), "POS-Y");
    }
    okno2->show_place({0, 0});
    mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(status().isEmpty());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(okno2, &leave);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(okno_info->label_c1->text(), "Color1");
    EXPECT_EQ(okno_info->Label1->text(), "Current colors:");
    EXPECT_EQ(okno_info->Label2->text(), "Back");
}
