// Runs the window tests on one editor, built once as the editor builds itself.
#include "app/Main.h"
#include "app/startup.h"
#include "platform/tapplication.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

StartState start_state;

static void record_paints_before_show() {
    start_state.paints_before_show = 0;
    for (TForm* form : all_windows()) start_state.paints_before_show += form->PaintCount();
}

// Every test leaves the editor as it starts, so that none depends on the ones run before it.
class RestoreAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ResetEditor(); }
};

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
    const PrivateHome home;
    TApplication application(argc, argv);
    defaultHandler = qInstallMessageHandler(failOnBrokenBindings);
    GuardAgainstHangingDialogs();
    create_windows();
    record_paints_before_show();
    okno1->ShowMaximized();
    Settle();
    start_state.active_child = okno1->MdiClient()->activeSubWindow();
    start_state.confirmation_answer = dlgopen->ModalResult;
    start_state.modes_marked = modes_marked();
    ::testing::UnitTest::GetInstance()->listeners().Append(new RestoreAfterEachTest);
    return RUN_ALL_TESTS();
}
