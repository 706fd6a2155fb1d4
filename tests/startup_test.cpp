#include "app/Main.h"
#include "app/startup.h"
#include "info/info_window.h"
#include "platform/exception.h"
#include "platform/tapplication.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <gtest/gtest.h>

TEST(StartUp, NothingPaintsBeforeAllSixWindowsExist) {
    for (TForm* form : all_windows()) ASSERT_NE(form, nullptr);
    EXPECT_EQ(start_state.paints_before_show, 0);
    EXPECT_GE(okno2->PaintCount(), 1);
    EXPECT_TRUE(prefs->vexlor_grid1->isChecked());
}

TEST(StartUp, BarsStartWithWhiteFreePaintAndFourByThreeDown) {
    EXPECT_TRUE(okno1->color_b1->isChecked());
    EXPECT_TRUE(okno1->tool_b2->isChecked());
    EXPECT_TRUE(okno1->tool_zoom2->isChecked());
}

TEST(StartUp, ModesHaveTheirStartValues) {
    EXPECT_EQ(okno1->image_changed, 1);
    EXPECT_EQ(okno1->tool_mode, 1);
    EXPECT_EQ(okno1->preview_size, 2);
    EXPECT_EQ(okno1->picture_format, 1);
}

TEST(StartUp, ChildrenStandAtTheirPlacesInTheFramesClientArea) {
    EXPECT_EQ(okno_prv->GetLeft(), 20);
    EXPECT_EQ(okno_prv->GetTop(), 5);
    EXPECT_EQ(okno2->GetLeft(), 180);
    EXPECT_EQ(okno2->GetTop(), 420);
    EXPECT_EQ(okno_info->GetLeft(), 700);
    EXPECT_EQ(okno_info->GetTop(), 10);
    for (TForm* child : {static_cast<TForm*>(okno_prv), static_cast<TForm*>(okno2),
                         static_cast<TForm*>(okno_info)})
        EXPECT_EQ(child->Host()->parentWidget(), okno1->MdiClient()->viewport());
}

TEST(StartUp, WindowsHaveTheirCaptionsAndClientSizes) {
    EXPECT_EQ(okno1->Host()->windowTitle(), "Vexlor v0.1");
    EXPECT_EQ(okno_prv->Caption(), "VEXLOR Preview");
    EXPECT_EQ(okno2->Caption(), "Vexlor ZOOM");
    EXPECT_EQ(okno_info->Caption(), "okno_info");
    EXPECT_EQ(dlgopen->Caption(), "Vexloor");
    EXPECT_EQ(prefs->Caption(), "Vexloor preferences");
    EXPECT_EQ(QSize(okno_prv->ClientWidth(), okno_prv->ClientHeight()), QSize(783, 464));
    EXPECT_EQ(QSize(okno2->ClientWidth(), okno2->ClientHeight()), QSize(670, 520));
    EXPECT_EQ(QSize(okno_info->ClientWidth(), okno_info->ClientHeight()), QSize(247, 152));
    EXPECT_EQ(QSize(dlgopen->ClientWidth(), dlgopen->ClientHeight()), QSize(305, 115));
    EXPECT_EQ(QSize(prefs->ClientWidth(), prefs->ClientHeight()), QSize(447, 380));
    EXPECT_EQ(okno_prv->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(okno2->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(okno_prv->FormColor(), clBlack);
    EXPECT_FALSE(dlgopen->Host()->isVisible());
    EXPECT_FALSE(prefs->Host()->isVisible());
}

// The title bar shows a close box wherever a child has a system menu.
TEST(StartUp, OnlyTheZoomWindowHasACloseBox) {
    const auto closeBox = Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    EXPECT_EQ(okno2->Host()->windowFlags() & closeBox, closeBox);
    EXPECT_FALSE(okno_prv->Host()->windowFlags() & closeBox);
    EXPECT_FALSE(okno_info->Host()->windowFlags() & closeBox);
    EXPECT_TRUE(okno_info->Host()->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(StartUp, FrameFillsTheScreenWithTheInfoWindowActive) {
    EXPECT_TRUE(okno1->Host()->isMaximized() ||
                okno1->Host()->geometry() == okno1->Host()->screen()->availableGeometry());
    QMdiArea* area = okno1->MdiClient();
    EXPECT_EQ(start_state.active_child, okno_info->Host());
    const auto stack = area->subWindowList(QMdiArea::StackingOrder);
    EXPECT_GT(stack.indexOf(static_cast<QMdiSubWindow*>(okno2->Host())),
              stack.indexOf(static_cast<QMdiSubWindow*>(okno_prv->Host())));
}

TEST(StartUp, ZoomWindowHasItsViewDefaults) {
    EXPECT_EQ(okno2->zoom_factor, 4u);
    EXPECT_EQ(okno2->view_cols, 16u);
    EXPECT_EQ(okno2->view_rows, 24u);
    EXPECT_EQ(okno2->cell_w, 40u);
    EXPECT_EQ(okno2->cell_h, 20u);
    EXPECT_EQ(okno2->scroll_x, 0);
    EXPECT_EQ(okno2->scroll_y, 0);
    EXPECT_EQ(okno2->cursor_x, 0);
    EXPECT_EQ(okno2->cursor_y, 0);
    EXPECT_EQ(okno2->draw_color, 1);
    EXPECT_EQ(okno2->pixel_grid_color, 0x555555u);
}

namespace {

// Records what its constructor found in its own global pointer.
class ProbeForm : public TForm {
public:
    explicit ProbeForm(QWidget* owner);
    bool found_itself = false;
};
ProbeForm* probe = nullptr;
ProbeForm::ProbeForm(QWidget* owner) : TForm(owner) { found_itself = probe == this; }

class FailingForm : public TForm {
public:
    explicit FailingForm(QWidget* owner) : TForm(owner) { throw Exception("layout is broken"); }
};
FailingForm* failing = nullptr;

struct ShownExceptions {
    QStringList messages;
    ShownExceptions() {
        Application->SetExceptionDisplay([this](const QString& m) { messages << m; });
    }
    ~ShownExceptions() { Application->SetExceptionDisplay(nullptr); }
};

} // namespace

TEST(CreateForm, StoresThePointerBeforeTheConstructorRuns) {
    Application->CreateForm(probe);
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(probe->found_itself);
}

TEST(MainRoutine, ShowsAStartUpExceptionAndReturnsZero) {
    ShownExceptions shown;
    const int result = run_guarded([] { Application->CreateForm(failing); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(shown.messages, QStringList{"layout is broken"});
    EXPECT_EQ(failing, nullptr);
}

TEST(MainRoutine, ReturnsZeroAfterANormalEnd) {
    ShownExceptions shown;
    EXPECT_EQ(run_guarded([] {}), 0);
    EXPECT_TRUE(shown.messages.isEmpty());
}

TEST(MessageLoop, AnExceptionFromAHandlerIsShownAndGoesNoFurther) {
    ShownExceptions shown;
    QObject target;
    QMetaObject::invokeMethod(
        &target, [] { throw Exception("handler failed"); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        Application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    Application->exec();
    EXPECT_EQ(shown.messages, QStringList{"handler failed"});
}

TEST(StartUp, ConfirmationHasNoAnswerBeforeItIsFirstShown) {
    EXPECT_EQ(start_state.confirmation_answer, mrNone);
}

// Where nothing tells the size of the screen, a dialog opens where it stands.
TEST(StartUp, ADialogWithoutAScreenStaysWhereItIs) {
    QDialog dialog;
    dialog.move(12, 34);
    CentreOnScreen(&dialog, nullptr);
    EXPECT_EQ(dialog.pos(), QPoint(12, 34));
    CentreOnScreen(&dialog, QGuiApplication::primaryScreen());
    EXPECT_EQ(dialog.geometry().center(),
              QGuiApplication::primaryScreen()->availableGeometry().center());
}

// Labels take the size of their text, so none of them shows its caption cut short, and each
// lies inside its window.
TEST(StartUp, NoLabelClipsItsCaption) {
    for (TForm* form : all_windows())
        for (const QLabel* label : form->findChildren<QLabel*>()) {
            SCOPED_TRACE(label->objectName().toStdString());
            const QSize needed = label->sizeHint();
            EXPECT_GE(label->width(), needed.width());
            EXPECT_GE(label->height(), needed.height());
            EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
        }
    EXPECT_GE(okno_info->Label1->width(),
              okno_info->Label1->fontMetrics().horizontalAdvance("Current colors:"));
}
