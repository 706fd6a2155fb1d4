// The real main routine, from start-up to the end of the message loop.
#include "app/Main.h"
#include "app/startup.h"
#include "display/displayed_palette.h"
#include "formats/koala.h"
#include "info/info_window.h"
#include "platform/common_dialogs.h"
#include "platform/tapplication.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "settings/palette_setting.h"
#include "settings/user_settings.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(MainRoutine, RunsUntilTheFrameClosesAndReturnsZero) {
    struct Seen {
        bool ran = false, maximised = false, info_active = false;
        QPoint preview, zoom, info;
        int modes[4] = {};
        PaletteId palette = PaletteId::Vexlor;
        bool palette_checked = false;
    } seen;
    store_palette(PaletteId::Colodore); // as an earlier run left it
    // The first moment the user can act: the message loop has started.
    QTimer::singleShot(0, [&] {
        seen.ran = true;
        seen.maximised = okno1->Host()->isMaximized();
        seen.info_active =
            okno1->MdiClient()->activeSubWindow() == static_cast<QWidget*>(okno_info->Host());
        seen.preview = {okno_prv->GetLeft(), okno_prv->GetTop()};
        seen.zoom = {okno2->GetLeft(), okno2->GetTop()};
        seen.info = {okno_info->GetLeft(), okno_info->GetTop()};
        int* m = seen.modes;
        m[0] = okno1->image_changed, m[1] = okno1->tool_mode, m[2] = okno1->preview_size;
        m[3] = okno1->picture_format;
        seen.palette = shown_palette();
        seen.palette_checked = okno1->ViewPaletteColodoreItem->isChecked();
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        okno1->FileExit();
    });
    EXPECT_EQ(vexlor_main(), 0);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.maximised);
    EXPECT_TRUE(seen.info_active);
    EXPECT_EQ(seen.preview, QPoint(20, 5));
    EXPECT_EQ(seen.zoom, QPoint(180, 420));
    EXPECT_EQ(seen.info, QPoint(700, 10));
    EXPECT_EQ(seen.modes[0], 1);
    EXPECT_EQ(seen.modes[1], 1);
    EXPECT_EQ(seen.modes[2], 2);
    EXPECT_EQ(seen.modes[3], 1);
    EXPECT_EQ(seen.palette, PaletteId::Colodore);
    EXPECT_TRUE(seen.palette_checked);
    EXPECT_FALSE(okno1->Host()->isVisible());
}

TEST(MainRoutine, ShowsTheFileNamedOnTheCommandLineOnceUp) {
    QTemporaryDir dir;
    QFile file(dir.filePath("stripes.kla"));
    PictureBytes stripes;
    for (std::size_t i = 0; i < stripes.size(); ++i) stripes[i] = std::uint8_t(i / 160 % 3 + 6);
    const std::vector<std::uint8_t> koala =
        write_koala(encode_multicolor(multicolor_grid(stripes)).image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(koala.data()), qint64(koala.size()));
    file.close();

    Application->ReleaseForms(); // the windows of the run before
    bool shown = false;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        shown = std::equal(stripes.begin(), stripes.end(), okno2->picture.begin()) &&
                AreaIs(okno_prv, QRect(2, 2, 640, 2), palette_color(6));
        if (!shown && !clock.hasExpired(3000)) return;
        poll.stop();
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        okno1->FileExit();
    });
    poll.start(10);
    EXPECT_EQ(vexlor_main(file.fileName()), 0);
    EXPECT_TRUE(shown);
}

// Preferences saved in one run are in force in the next, from its first moment.
TEST(MainRoutine, SavedPreferencesAreInForceAfterARestart) {
    Application->ReleaseForms(); // what an earlier test left
    QTimer::singleShot(0, [] {
        WhenModal([] {
            QTest::mouseClick(prefs->zom2, Qt::LeftButton);
            TColorDialog::QueueAnswer(RGBColor(0x12, 0x34, 0x56));
            QTest::mouseClick(prefs->gridcol1, Qt::LeftButton);
            QTest::mouseClick(prefs->Button2, Qt::LeftButton);
        });
        okno1->Preferences1Click();
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        okno1->FileExit();
    });
    vexlor_main();
    Application->ReleaseForms();
    struct Seen {
        bool ran = false, zoom_8x6 = false;
        std::uint32_t columns = 0;
        TColor grid = 0;
    } seen;
    QTimer::singleShot(0, [&] {
        seen.ran = true;
        seen.zoom_8x6 = prefs->zom2->isChecked() && okno1->tool_zoom1->isChecked();
        seen.columns = okno2->view_cols;
        seen.grid = okno2->pixel_grid_color;
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        okno1->FileExit();
    });
    vexlor_main();
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.zoom_8x6);
    EXPECT_EQ(seen.columns, 32u);
    EXPECT_EQ(seen.grid, RGBColor(0x12, 0x34, 0x56));
}

// Where the user leaves the windows is where the next start puts them; with nothing stored, or
// nothing that reads, or a place from which the window's title bar could not be reached, the
// start is the first one's.
TEST(MainRoutine, WindowPlacesAreKeptForTheNextStart) {
    const QPoint zoom_start(180, 420), preview_start(20, 5), info_start(700, 10);
    const auto move = [](TForm* window, QPoint to) { window->Host()->move(to); };
    const struct {
        const char* what;
        const char* stored; // the settings file before the first run
        std::function<void()> in_first_run;
        QPoint zoom, preview, info; // at the second start
    } cases[] = {
        {"nothing moved", "", [] {}, zoom_start, preview_start, info_start},
        {"two windows moved, the preview partly past the area's edge, its title bar in reach",
         "",
         [&] {
             move(okno2, {300, 40});
             move(okno_prv, {500, 100});
         },
         {300, 40},
         {500, 100},
         info_start},
        {"moved, then arranged as at start", "",
         [&] {
             move(okno_info, {5, 5});
             okno1->WindowStartItem->trigger();
         },
         zoom_start, preview_start, info_start},
        {"a window left minimised comes back at its first place", "",
         [&] {
             move(okno_info, {400, 300});
             okno_info->Host()->showMinimized();
         },
         zoom_start, preview_start, info_start},
        {"places that do not read", "[windows]\nokno2=left\nokno_prv=@Point(-50 10)\n", [] {},
         zoom_start, preview_start, info_start},
        {"places from which no title bar can be reached",
         "[windows]\nokno2=@Point(30000 40)\nokno_prv=@Point(40 30000)\n"
         "okno_info=@Point(5000 5000)\n",
         [] {}, zoom_start, preview_start, info_start},
    };
    const auto places = [] {
        return std::vector<QPoint>{okno2->Host()->pos(), okno_prv->Host()->pos(),
                                   okno_info->Host()->pos()};
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Application->ReleaseForms(); // what an earlier run left
        QDir().mkpath(QFileInfo(user_settings_file()).path());
        QFile file(user_settings_file());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.stored);
        file.close();
        std::vector<QPoint> first, second;
        QTimer::singleShot(0, [&] {
            first = places();
            c.in_first_run();
            WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
            okno1->FileExit();
        });
        vexlor_main();
        Application->ReleaseForms();
        QTimer::singleShot(0, [&] {
            second = places();
            WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
            okno1->FileExit();
        });
        vexlor_main();
        EXPECT_EQ(first, (std::vector<QPoint>{zoom_start, preview_start, info_start}));
        EXPECT_EQ(second, (std::vector<QPoint>{c.zoom, c.preview, c.info}));
    }
    // Windows where they started leave nothing stored.
    EXPECT_FALSE(QSettings(user_settings_file(), QSettings::IniFormat)
                     .childGroups()
                     .contains(QStringLiteral("windows")));
}

// The zoom view's pixel size and its window's size and state come back at the next start; a
// size that no longer fits the screen, or a value that does not read, leaves the start's.
TEST(MainRoutine, TheZoomViewsSizeAndLevelAreKeptForTheNextStart) {
    const struct {
        const char* what;
        const char* stored;
        std::function<void()> in_first_run;
        int pixel_size; // at the second start; 0: the one fitted in the first run
        QSize area;     // the drawing area at the second start, when not maximised
        bool maximized;
    } cases[] = {
        {"nothing changed", "", [] {}, 20, {640, 480}, false},
        {"grown and zoomed out",
         "",
         [] {
             okno2->Host()->resize(okno2->Host()->size() + QSize(60, 40));
             okno2->zoom_to_size(4, 0, 0);
         },
         4,
         {696, 520},
         false},
        {"maximised, fitted",
         "",
         [] {
             okno2->Host()->showMaximized();
             okno2->fit_picture();
         },
         0,
         {},
         true},
        {"a size larger than the screen",
         "[zoom_view]\nwindow_size=@Size(30000 300)\n",
         [] {},
         20,
         {640, 480},
         false},
        {"values that do not read",
         "[zoom_view]\npixel_size=7\nwindow_size=wide\n",
         [] {},
         20,
         {640, 480},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Application->ReleaseForms();
        QDir().mkpath(QFileInfo(user_settings_file()).path());
        QFile file(user_settings_file());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.stored);
        file.close();
        int fitted = 0;
        QTimer::singleShot(0, [&] {
            c.in_first_run();
            fitted = okno2->frame().pixel_size;
            WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
            okno1->FileExit();
        });
        vexlor_main();
        Application->ReleaseForms();
        int pixel_size = 0;
        QSize area;
        bool maximized = false;
        QTimer::singleShot(0, [&] {
            pixel_size = okno2->frame().pixel_size;
            area = {okno2->frame().width, okno2->frame().height};
            maximized = okno2->Host()->isMaximized();
            WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
            okno1->FileExit();
        });
        vexlor_main();
        EXPECT_EQ(pixel_size, c.pixel_size ? c.pixel_size : fitted);
        EXPECT_EQ(maximized, c.maximized);
        if (!c.maximized) {
            EXPECT_EQ(area, c.area);
        }
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    const PrivateHome home;
    TApplication application(argc, argv);
    GuardAgainstHangingDialogs();
    return RUN_ALL_TESTS();
}
