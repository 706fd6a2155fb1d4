// Runs the import and export tests on Qt's offscreen platform, without the editor's windows.
#include "tests/gui_support.h"
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    const PrivateHome home;
    QApplication application(argc, argv);
    GuardAgainstHangingDialogs();
    return RUN_ALL_TESTS();
}
