#include "app/Main.h"
#include "display/pal_view.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Navigation : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
    }
    static void on_preview(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        mouse(type, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {},
              okno_prv);
    }
    static void wheel(QPoint turn, Qt::KeyboardModifiers keys = {}, QPoint at = {320, 240}) {
        QWheelEvent event(at, okno2->mapToGlobal(at), {}, turn, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(okno2, &event);
    }
    static std::function<void()> turn(QPoint by, Qt::KeyboardModifiers keys = {},
                                      QPoint at = {320, 240}) {
        return [=] { wheel(by, keys, at); };
    }
    static void key(Qt::Key key) { QTest::keyClick(okno1->Host(), key); }
    static void show(std::size_t level, ViewPlace place) {
        okno2->zoom_to(level, 0, 0);
        okno2->show_place(place);
    }
};

// The preview pixel at the middle of a picture pixel, at double size.
QPoint on_preview_at(int column, int row) { return {4 * column + 3, 2 * row + 2}; }

bool on_frame(int x, int y) {
    const TColor shown = okno_prv->Canvas->GetPixel(x, y);
    return shown == clBlack || shown == clWhite;
}

} // namespace

TEST_F(Navigation, APressOnThePreviewBringsTheViewThereAndTheFrameFollows) {
    okno2->picture.fill(6);
    okno2->picture[88 * 160 + 72] = 3;
    okno1->redraw_views();
    EXPECT_TRUE(on_frame(2, 2)); // the view's corner
    on_preview(QEvent::MouseButtonPress, on_preview_at(80, 100), Qt::LeftButton);
    EXPECT_EQ(okno2->place(), (ViewPlace{72, 88}));
    EXPECT_EQ(okno2->scroll1->value(), 18);
    EXPECT_EQ(okno2->scroll2->value(), 11);
    EXPECT_TRUE(AreaIs(okno2, QRect(1, 1, 38, 18), palette_color(3))); // pixel (72, 88) top left
    EXPECT_EQ(okno_prv->Canvas->GetPixel(2, 2), palette_color(6));     // the old frame is gone
    const int left = 2 + 4 * 72, top = 2 + 2 * 88, right = left + 4 * 16 - 1;
    for (QPoint at : {QPoint(left, top), QPoint(right, top), QPoint(left + 9, top)})
        EXPECT_TRUE(on_frame(at.x(), at.y()));
    EXPECT_FALSE(on_frame(left + 1, top + 1));
    EXPECT_EQ(okno2->picture[88 * 160 + 72], 3); // the frame is not in the picture
    // A pixel painted under the frame leaves the frame whole.
    QTest::mouseClick(okno2, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(okno2->picture[88 * 160 + 72], okno2->draw_color);
    for (QPoint at :
         {QPoint(left, top), QPoint(left + 2, top), QPoint(left, top + 1), QPoint(right, top)})
        EXPECT_TRUE(on_frame(at.x(), at.y()));
    // A drag follows the pointer, past the picture's edge too; beside the picture a press
    // does nothing.
    on_preview(QEvent::MouseMove, {-30, -30}, Qt::LeftButton);
    EXPECT_EQ(okno2->place(), (ViewPlace{0, 0}));
    on_preview(QEvent::MouseButtonRelease, {-30, -30}, Qt::NoButton);
    on_preview(QEvent::MouseMove, on_preview_at(80, 100), Qt::LeftButton);
    on_preview(QEvent::MouseButtonPress, {700, 300}, Qt::LeftButton);
    on_preview(QEvent::MouseMove, on_preview_at(80, 100), Qt::LeftButton);
    EXPECT_EQ(okno2->place(), (ViewPlace{0, 0}));
    on_preview(QEvent::MouseButtonRelease, on_preview_at(80, 100), Qt::NoButton);
    // Only the left button moves the view.
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        mouse(QEvent::MouseButtonPress, on_preview_at(80, 100), other, other, {}, okno_prv);
        mouse(QEvent::MouseMove, on_preview_at(90, 120), Qt::NoButton, other, {}, okno_prv);
        mouse(QEvent::MouseButtonRelease, on_preview_at(90, 120), other, Qt::NoButton, {},
              okno_prv);
        EXPECT_EQ(okno2->place(), (ViewPlace{0, 0})) << other;
    }
}

// The map lies under the windows it serves: a click on it, which would bring it to the front,
// leaves it under the zoom window, whose drawing area it would cover, and the information's;
// so does painting in the zoom view after it.
TEST_F(Navigation, AClickOnThePreviewLeavesItUnderTheOtherWindows) {
    const auto under = [](TForm* lower, TForm* upper) {
        const QObjectList& bottom_first = okno1->MdiClient()->viewport()->children();
        return bottom_first.indexOf(lower->Host()) < bottom_first.indexOf(upper->Host());
    };
    for (const QPoint on_map : {on_preview_at(80, 100), QPoint(700, 420)}) {
        ResetEditor();
        QTest::mouseClick(okno_prv, Qt::LeftButton, {}, on_map);
        Settle();
        EXPECT_TRUE(under(okno_prv, okno2)) << on_map.x();
        EXPECT_TRUE(under(okno_prv, okno_info)) << on_map.x();
        QTest::mouseClick(okno2, Qt::LeftButton, {}, QPoint(100, 100));
        Settle();
        EXPECT_TRUE(under(okno_prv, okno_info)) << on_map.x();
    }
}

// One row per way of moving the view; each starts at its level and place.
TEST_F(Navigation, TheWheelTheMiddleButtonAndTheKeysMoveTheViewByCells) {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const struct {
        const char* what;
        std::size_t level;
        ViewPlace from;
        std::function<void()> act;
        std::size_t level_after;
        ViewPlace to;
    } rows[] = {
        {"wheel down", 0, {0, 0}, turn({0, -120}), 0, {0, 8}},
        {"wheel up at the top", 0, {0, 0}, turn({0, 120}), 0, {0, 0}},
        {"two half notches",
         0,
         {0, 0},
         [] {
             wheel({0, -60}), wheel({0, -60});
         },
         0,
         {0, 8}},
        {"horizontal wheel", 0, {0, 0}, turn({-120, 0}), 0, {4, 0}},
        {"Shift with the wheel", 0, {0, 0}, turn({0, -120}, Qt::ShiftModifier), 0, {4, 0}},
        // 16x lies between the two closest cell levels.
        {"Ctrl+wheel up", 1, {40, 40}, turn({0, 120}, ctrl, {330, 250}), 4, {48, 48}},
        {"Ctrl+wheel down", 0, {48, 56}, turn({0, -120}, ctrl, {330, 250}), 4, {48, 56}},
        {"Ctrl+wheel up at 4 x 3", 0, {8, 8}, turn({0, 120}, ctrl), 0, {8, 8}},
        {"middle drag",
         0,
         {40, 40},
         [] {
             mouse(QEvent::MouseButtonPress, {300, 200}, Qt::MiddleButton, Qt::MiddleButton);
             mouse(QEvent::MouseMove, {130, 290}, Qt::NoButton, Qt::MiddleButton);
             mouse(QEvent::MouseButtonRelease, {130, 290}, Qt::MiddleButton, Qt::NoButton);
         },
         0,
         {44, 32}},
        {"middle drag in steps, counted from the press",
         0,
         {40, 40},
         [] {
             mouse(QEvent::MouseButtonPress, {300, 200}, Qt::MiddleButton, Qt::MiddleButton);
             mouse(QEvent::MouseMove, {220, 240}, Qt::NoButton, Qt::MiddleButton);
             mouse(QEvent::MouseMove, {130, 290}, Qt::NoButton, Qt::MiddleButton);
             mouse(QEvent::MouseButtonRelease, {130, 290}, Qt::MiddleButton, Qt::NoButton);
         },
         0,
         {44, 32}},
        {"Down", 0, {0, 0}, [] { key(Qt::Key_Down); }, 0, {0, 8}},
        {"Right", 0, {0, 0}, [] { key(Qt::Key_Right); }, 0, {4, 0}},
        {"Up at the top", 0, {8, 0}, [] { key(Qt::Key_Up); }, 0, {8, 0}},
        {"Right at the furthest place", 0, {144, 0}, [] { key(Qt::Key_Right); }, 0, {144, 0}},
        {"Right beyond it", 0, {156, 200}, [] { key(Qt::Key_Right); }, 0, {156, 200}},
        {"Left beyond it", 0, {156, 200}, [] { key(Qt::Key_Left); }, 0, {152, 200}},
        {"Page Down", 0, {0, 0}, [] { key(Qt::Key_PageDown); }, 0, {0, 24}},
        {"Page Down near the bottom", 3, {0, 40}, [] { key(Qt::Key_PageDown); }, 3, {0, 80}},
        {"Page Up", 0, {0, 80}, [] { key(Qt::Key_PageUp); }, 0, {0, 56}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        show(row.level, row.from);
        row.act();
        EXPECT_EQ(zoom_level_index(okno2->zoom_level()), row.level_after);
        EXPECT_EQ(okno2->place(), row.to);
        EXPECT_EQ(okno2->scroll1->value() * 4, row.to.scroll_x);
        EXPECT_EQ(okno2->scroll2->value() * 8, row.to.scroll_y);
    }
}

// From any inner window, like the colour keys; not while a dialog is open.
TEST_F(Navigation, TheKeysWorkFromEveryInnerWindowButNotInADialog) {
    for (TForm* inner : {static_cast<TForm*>(okno2), static_cast<TForm*>(okno_prv),
                         static_cast<TForm*>(okno_info)}) {
        okno2->show_place({});
        inner->setFocusPolicy(Qt::ClickFocus);
        inner->setFocus();
        QTest::keyClick(inner, Qt::Key_Down);
        EXPECT_EQ(okno2->place(), (ViewPlace{0, 8})) << inner->objectName().toStdString();
        inner->setFocusPolicy(Qt::NoFocus);
    }
    WhenModal([] {
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_PageDown);
        QTest::mouseClick(prefs->Button1, Qt::LeftButton);
    });
    okno1->Preferences1Click();
    EXPECT_EQ(okno2->place(), (ViewPlace{0, 8}));
}

TEST_F(Navigation, ViewZoomListsTheLevelsAndFollowsTheOneInUse) {
    QStringList items;
    for (QAction* item : okno1->ViewZoomMenu->actions())
        items << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(items, (QStringList{"&4 × 3 Cells", "16×", "&8 × 6 Cells", "8×", "6×",
                                  "&16 × 12 Cells", "&20 × 15 Cells", "3×", "2×", "1×", "-",
                                  "&Fit the Picture", "-", "Zoom &In", "Zoom &Out"}));
    EXPECT_TRUE(okno1->ViewZoom4x3Item->isChecked());
    EXPECT_FALSE(okno1->ViewZoomInItem->isEnabled());
    // The items keep the pixel at the view's middle there: (24, 36) at 4 x 3 from (16, 24).
    okno2->show_place({16, 24});
    okno1->ViewZoom16x12Item->trigger();
    EXPECT_EQ(okno2->view_cols, 64u);
    EXPECT_EQ(okno2->cell_w, 10u);
    EXPECT_EQ(okno2->cell_h, 5u);
    EXPECT_EQ(okno2->place(), (ViewPlace{0, 0})); // 24 - 32 and 36 - 48 are off the picture
    QTest::keyClick(okno1->Host(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(okno2->view_cols, 80u);
    EXPECT_TRUE(okno1->ViewZoom20x15Item->isChecked());
    EXPECT_TRUE(okno1->ViewZoomOutItem->isEnabled()); // 3x, 2x and 1x lie beyond
    QTest::keyClick(okno1->Host(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_TRUE(okno1->ViewZoom16x12Item->isChecked());
    // The tool bar and the preferences keep their own ways; the menu shows their level.
    QTest::mouseClick(okno1->tool_zoom1, Qt::LeftButton);
    EXPECT_TRUE(okno1->ViewZoom8x6Item->isChecked());
    EXPECT_TRUE(okno1->ViewZoomInItem->isEnabled());
    EXPECT_TRUE(okno1->ViewZoomOutItem->isEnabled());
    prefs->zom1Click();
    EXPECT_TRUE(okno1->ViewZoom4x3Item->isChecked());
}

// At 8 x 4 screen pixels the pixel grid would hide the picture: neither a redraw nor a painted
// pixel draws it there.
TEST_F(Navigation, ThePixelGridRestsAtTheWidestLevel) {
    const struct {
        std::size_t level;
        int width, height; // a picture pixel on screen
        bool grid;
    } rows[] = {{2, 10, 5, true}, {3, 8, 4, false}};
    okno1->tool_mode = toolFreePaint;
    okno2->draw_color = 7;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.level);
        show(row.level, {});
        const TColor edge = row.grid ? okno2->pixel_grid_color : palette_color(0);
        EXPECT_EQ(okno2->Canvas->GetPixel(row.width, row.height), edge); // pixel (1, 1)
        const QPoint second(row.width * 5 / 2, row.height * 3 / 2);      // pixel (2, 1)
        mouse(QEvent::MouseButtonPress, second, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, second, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(okno2->Canvas->GetPixel(2 * row.width, row.height),
                  row.grid ? okno2->pixel_grid_color : palette_color(7));
    }
}

namespace {

// Every screen pixel of the zoom window's form as drawn.
QImage zoom_surface() {
    QImage shown(okno2->size(), QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) shown.setPixel(x, y, okno2->Canvas->GetPixel(x, y));
    return shown;
}

} // namespace

// A move of the view draws no more than it uncovers; what it shows is what a whole redraw at
// the new place shows, the marks over the picture included: the cell grid, the clash marks,
// the ants round a free selection, the symmetry's axes.
TEST_F(Navigation, AScrolledViewShowsWhatAWholeRedrawShows) {
    for (int i = 0; i < 160 * 200; ++i)
        okno2->picture[std::size_t(i)] = std::uint8_t(i * 7 / 3 % 16);
    desk().change_view([](ViewChoices& view) { view.clashes = true; });
    desk().document().select(PixelSelection::lasso(
        std::vector<PixelPos>{{6, 5}, {60, 20}, {30, 90}}, desk().document().whole()));
    desk().change_symmetry([](SymmetryChoice& symmetry) {
        symmetry = {Symmetry::about_pixel(SymmetryKind::FourWay, {10, 12}), false};
    });
    const struct {
        int pixel_size;
        ViewPlace from, to;
        bool pal = false; // the zoom view shows the picture as a PAL television does
    } rows[] = {
        {20, {0, 0}, {4, 0}},       {20, {0, 0}, {0, 8}}, {20, {8, 16}, {4, 8}},
        {6, {4, 8}, {0, 16}},       {3, {0, 0}, {4, 8}},  {20, {0, 0}, {100, 120}},
        {6, {8, 8}, {4, 16}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.pixel_size << ": " << row.from.scroll_x << ","
                                        << row.from.scroll_y << " to " << row.to.scroll_x << ","
                                        << row.to.scroll_y << (row.pal ? " PAL" : ""));
        show_pal_view({row.pal, row.pal});
        okno2->zoom_to_size(row.pixel_size, 0, 0);
        okno2->show_place(row.from);
        okno2->FormPaint();
        okno2->show_place(row.to);
        ASSERT_EQ(okno2->place(), row.to);
        const QImage scrolled = zoom_surface();
        okno2->FormPaint();
        EXPECT_EQ(scrolled, zoom_surface());
    }
    show_pal_view({});
    desk().change_symmetry([](SymmetryChoice& symmetry) { symmetry = {}; });
}
