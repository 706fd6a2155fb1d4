// The real main routine, from start-up to the end of the message loop.
#include "app/Main.h"
#include "app/startup.h"
#include "info/info_window.h"
#include "platform/tapplication.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

TEST(MainRoutine, RunsUntilTheFrameClosesAndReturnsZero) {
    struct Seen {
        bool ran = false, maximised = false, info_active = false;
        QPoint preview, zoom, info;
        int modes[4] = {};
    } seen;
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
    EXPECT_FALSE(okno1->Host()->isVisible());
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication application(argc, argv);
    GuardAgainstHangingDialogs();
    return RUN_ALL_TESTS();
}
