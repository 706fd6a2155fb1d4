// Runs tests of files, formats and the converter, which need no window: Qt Core finds the image
// plugins, and a home folder of their own keeps a person's files out of reach.
#include "tests/file_support.h"
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const PrivateHome home;
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
