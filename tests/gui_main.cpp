// Runs the window tests on one editor, built once as the editor builds itself.
#include "app/Main.h"
#include "app/startup.h"
#include "platform/tapplication.h"
#include "tests/gui_support.h"
#include <QTest>
#include <gtest/gtest.h>

int paints_before_show = -1;

static void record_paints_before_show() {
    paints_before_show = 0;
    for (TForm* form : all_windows()) paints_before_show += form->PaintCount();
}

static QtMessageHandler defaultHandler = nullptr;

// A layout that connects a signal to a missing slot only warns at run time; fail instead.
static void failOnBrokenBindings(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
    if (message.contains("No such slot") || message.contains("No such signal"))
        ADD_FAILURE() << message.toStdString();
    defaultHandler(type, context, message);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication application(argc, argv);
    defaultHandler = qInstallMessageHandler(failOnBrokenBindings);
    create_windows();
    record_paints_before_show();
    okno1->ShowMaximized();
    Settle();
    return RUN_ALL_TESTS();
}
