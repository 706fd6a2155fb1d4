// The Window menu and File > Open Recent.
#include "app/Main.h"
#include "info/info_window.h"
#include "preview/preview_window.h"
#include "settings/desk_settings.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WindowMenu : ::testing::Test {
    QTemporaryDir dir;
    void SetUp() override { ResetEditor(); }
    void TearDown() override {
        okno1->Host()->showMaximized();
        okno1->WindowStartItem->trigger();
        Settle();
    }
};

QMdiSubWindow* host_of(TForm* window) { return static_cast<QMdiSubWindow*>(window->Host()); }
// The zoom view, the preview and the info window, in the order the Window menu ends with them.
std::vector<TForm*> windows() { return {okno2, okno_prv, okno_info}; }

// Where the three windows' drawing area, picture and swatches lie in the frame's area.
std::vector<std::pair<TForm*, QRect>> kept_parts() {
    const QWidget* area = okno1->MdiClient()->viewport();
    const auto in_area = [area](TForm* window, QRect part) {
        return std::pair{window, part.translated(window->mapTo(area, QPoint()))};
    };
    return {in_area(okno2, {0, 0, okno2->frame().width, okno2->frame().height}),
            in_area(okno_prv, {2, 2, 640, 400}), in_area(okno_info, okno_info->rect())};
}

// A window's title bar, with the border above it, in the frame's area.
QRect title_bar(TForm* window) {
    return {host_of(window)->pos(),
            QSize(host_of(window)->width(), window->mapTo(host_of(window), QPoint()).y())};
}

// Whether a pointer can take hold of the window's title bar: a piece of it as wide as a
// pointer needs lies inside the area, none of it above or below.
bool title_in_reach(TForm* window) {
    const QRect area = okno1->MdiClient()->viewport()->rect(), title = title_bar(window);
    const QRect seen = area.intersected(title);
    return seen.height() == title.height() && seen.width() >= 48;
}

QStringList recent_items() {
    okno1->RecentMenu->aboutToShow();
    QStringList items;
    for (const QAction* item : okno1->RecentMenu->actions())
        if (!item->isSeparator())
            items.append(item->text() + (item->isEnabled() ? "" : " (greyed)"));
    return items;
}

} // namespace

// At 1920 x 1080 the zoom window takes the room the others leave, and its drawing area grows
// with it. At 1366 x 768 the preview's picture cannot lie beside the zoom view whole: some of it
// goes past the area's edge, where the area scrolls to it, rather than under a window.
TEST_F(WindowMenu, TileLeavesTheDrawingAreaThePictureAndTheSwatchesUncovered) {
    for (const auto& [frame, all_in_view] :
         {std::pair{QSize(1920, 1080), true}, {QSize(1366, 768), false}}) {
        SCOPED_TRACE(frame.width());
        okno1->Host()->showNormal();
        okno1->Host()->resize(frame);
        host_of(okno_prv)->showMinimized();
        Settle();
        okno1->WindowTileItem->trigger();
        Settle();
        const QRect area = okno1->MdiClient()->viewport()->rect();
        if (all_in_view) {
            const QRect zoom = host_of(okno2)->geometry();
            EXPECT_EQ(zoom.topLeft(), area.topLeft());
            EXPECT_GT(okno2->frame().width, 640);
            // The others in a column against the area's right edge.
            for (TForm* other : std::initializer_list<TForm*>{okno_prv, okno_info}) {
                EXPECT_FALSE(host_of(other)->geometry().intersects(zoom));
                EXPECT_EQ(host_of(other)->geometry().right(), area.right());
            }
        }
        for (const auto& [window, part] : kept_parts()) {
            SCOPED_TRACE(window->Caption().toStdString());
            EXPECT_FALSE(host_of(window)->isMinimized());
            if (all_in_view) {
                EXPECT_TRUE(area.contains(part));
            }
            for (TForm* other : windows())
                if (other != window) {
                    EXPECT_FALSE(host_of(other)->geometry().intersects(part));
                }
        }
    }
}

TEST_F(WindowMenu, AWindowByNameComesBackToTheFront) {
    using PutAway = void (*)(QMdiSubWindow*);
    const QList<QAction*> items = okno1->WindowMenu->actions();
    for (const auto& [what, put_away] :
         {std::pair<const char*, PutAway>{"minimised", [](auto* host) { host->showMinimized(); }},
          {"hidden", [](auto* host) { host->hide(); }},
          {"behind another", [](auto* host) { host->lower(); }},
          {"far off the area", [](auto* host) { host->move(30000, 20000); }},
          {"past the top left", [](auto* host) { host->move(-900, -700); }}})
        for (std::size_t i = 0; i < windows().size(); ++i) {
            TForm* window = windows()[i];
            SCOPED_TRACE(what + window->Caption().toStdString());
            QAction* item = items[items.size() - qsizetype(windows().size() - i)];
            EXPECT_TRUE(item->text().endsWith(window->Caption()));
            put_away(host_of(window));
            item->trigger();
            Settle();
            EXPECT_TRUE(host_of(window)->isVisible());
            EXPECT_FALSE(host_of(window)->isMinimized());
            EXPECT_EQ(okno1->MdiClient()->activeSubWindow(), host_of(window));
            // In view: whole where the area has room for it, its title bar at least.
            const QRect area = okno1->MdiClient()->viewport()->rect();
            EXPECT_TRUE(title_in_reach(window));
            if (area.width() >= host_of(window)->width() &&
                area.height() >= host_of(window)->height()) {
                EXPECT_TRUE(area.contains(host_of(window)->geometry()));
            }
        }
}

// Cascaded, the windows lie one behind another, the one used last in front, and every title
// is in view: within the area, under no window in front of it.
TEST_F(WindowMenu, CascadeLeavesEveryTitleInView) {
    for (const QSize frame : {QSize(1920, 1080), QSize(1366, 768)})
        for (TForm* used_last : windows()) {
            SCOPED_TRACE(::testing::Message() << frame.width() << " wide, "
                                              << used_last->Caption().toStdString() << " in front");
            okno1->Host()->showNormal();
            okno1->Host()->resize(frame);
            okno1->MdiClient()->setActiveSubWindow(host_of(used_last));
            Settle();
            okno1->WindowCascadeItem->trigger();
            Settle();
            const QList<QMdiSubWindow*> order =
                okno1->MdiClient()->subWindowList(QMdiArea::StackingOrder);
            ASSERT_EQ(order.size(), 3);
            EXPECT_EQ(order.last(), host_of(used_last));
            EXPECT_EQ(okno1->MdiClient()->activeSubWindow(), host_of(used_last));
            for (qsizetype i = 0; i < order.size(); ++i) {
                TForm* window = static_cast<TForm*>(order[i]->widget());
                SCOPED_TRACE(window->Caption().toStdString());
                EXPECT_TRUE(title_in_reach(window));
                for (qsizetype front = i + 1; front < order.size(); ++front)
                    EXPECT_FALSE(order[front]->geometry().intersects(title_bar(window)));
            }
        }
}

// However the windows were moved, sized, maximised or minimised, they come back to the places
// and sizes they had at start.
TEST_F(WindowMenu, ArrangeAsAtStartRestoresPlacesAndSizes) {
    using Change = void (*)(QMdiSubWindow*);
    const std::pair<TForm*, QPoint> starts[] = {
        {okno2, {180, 420}}, {okno_prv, {20, 5}}, {okno_info, {700, 10}}};
    for (const auto& [what, change] :
         {std::pair<const char*, Change>{"moved", [](auto* host) { host->move(5, 30); }},
          {"made larger", [](auto* host) { host->resize(host->size() + QSize(120, 90)); }},
          {"made smaller", [](auto* host) { host->resize(200, 100); }},
          {"moved and made smaller",
           [](auto* host) { host->setGeometry(300, 200, host->width() - 100, 150); }},
          {"maximised", [](auto* host) { host->showMaximized(); }},
          {"minimised", [](auto* host) { host->showMinimized(); }}}) {
        SCOPED_TRACE(what);
        for (const auto& [window, place] : starts) change(host_of(window));
        Settle();
        okno1->WindowStartItem->trigger();
        Settle();
        for (const auto& [window, place] : starts) {
            SCOPED_TRACE(window->Caption().toStdString());
            EXPECT_FALSE(host_of(window)->isMinimized() || host_of(window)->isMaximized());
            EXPECT_EQ(host_of(window)->geometry(), QRect(place, host_of(window)->sizeHint()));
        }
    }
}

TEST_F(WindowMenu, OpenRecentListsTheLastPicturesOpenedOrSaved) {
    EXPECT_EQ(recent_items(), QStringList()); // nothing yet
    EXPECT_FALSE(okno1->RecentMenu->menuAction()->isEnabled());
    const auto save_as = [this](int number) {
        TFileDialog::QueueAnswer(dir.filePath(QStringLiteral("p%1.vxr").arg(number)));
        okno1->FileSaveAsItem->trigger();
    };
    for (int number = 1; number <= 9; ++number) save_as(number);
    SetQuestionDisplay([](const QString&, const QString&) { return true; }); // Replace
    save_as(4); // saved again, it comes first; the ninth pushed the first off
    SetQuestionDisplay(nullptr);
    QFile::remove(dir.filePath("p6.vxr"));
    EXPECT_EQ(recent_items(), (QStringList{"&1 p4.vxr", "&2 p9.vxr", "&3 p8.vxr", "&4 p7.vxr",
                                           "&5 p6.vxr (greyed)", "&6 p5.vxr", "&7 p3.vxr",
                                           "&8 p2.vxr", "&Remove Missing Files", "&Clear List"}));
    okno1->RecentMenu->actions()[8 + 1]->trigger(); // Remove Missing Files
    EXPECT_EQ(recent_items().size(), 7 + 2);
    EXPECT_FALSE(recent_items().contains("&5 p6.vxr (greyed)"));
    // Chosen, a picture opens, once the change is confirmed.
    okno1->set_picture_path({});
    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
    okno1->RecentMenu->actions()[0]->trigger();
    EXPECT_EQ(okno1->picture_path(), dir.filePath("p4.vxr"));
}
