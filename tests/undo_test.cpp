#include "app/Main.h"
#include "info/info_window.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A press, moves with the button held, and the release: one stroke.
void stroke(std::initializer_list<QPoint> points, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint first = *points.begin(), last = *(points.end() - 1);
    mouse(QEvent::MouseButtonPress, first, button, button);
    for (QPoint at : points) mouse(QEvent::MouseMove, at, Qt::NoButton, button);
    mouse(QEvent::MouseButtonRelease, last, button, Qt::NoButton);
}

void answerOk() {
    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
}

struct Undo : ::testing::Test {
    void SetUp() override { ResetEditor(); }
    static QString undoText() { return okno1->EditUndoItem->text(); }
    static QString redoText() { return okno1->EditRedoItem->text(); }
};

} // namespace

TEST_F(Undo, TheEditMenuFollowsTheFileMenuAndStartsWithNothingToDo) {
    const auto menus = okno1->MainMenu->actions();
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    EXPECT_EQ(undoText(), "&Undo");
    EXPECT_EQ(redoText(), "&Redo");
    EXPECT_FALSE(okno1->EditUndoItem->isEnabled());
    EXPECT_FALSE(okno1->EditRedoItem->isEnabled());
    EXPECT_EQ(okno1->EditUndoItem->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(okno1->EditRedoItem->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
}

// From the press to the release, whatever the stroke painted is one step; both views show the
// old picture again at once, and the swatches the row under the pointer.
TEST_F(Undo, AStrokeIsOneStepAndUndoRedrawsBothViews) {
    okno2->draw_color = 2;
    stroke({{100, 50}, {140, 50}, {180, 50}});
    mouse(QEvent::MouseButtonPress, {100, 70}, Qt::RightButton, Qt::RightButton); // pixel (2, 3)
    mouse(QEvent::MouseButtonRelease, {100, 70}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(pixel(2, 2), 2);
    EXPECT_EQ(pixel(4, 2), 2);
    EXPECT_EQ(undoText(), "&Undo Paint");
    EXPECT_EQ(desk().document().history().steps(),
              1u); // the right press painted black on black: no step
    mouse(QEvent::MouseMove, {100, 50}, Qt::NoButton, Qt::NoButton); // rest on row 2
    okno1->EditUndoItem->trigger();
    EXPECT_EQ(okno2->picture, StoredPicture{});
    for (int column = 2; column <= 4; ++column)
        EXPECT_TRUE(AreaIs(okno2, QRect(column * 40 + 1, 41, 38, 18), palette_color(0)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(10, 6, 12, 2), palette_color(0)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(0)));
    EXPECT_EQ(undoText(), "&Undo");
    EXPECT_EQ(redoText(), "&Redo Paint");
    okno1->EditRedoItem->trigger();
    EXPECT_EQ(pixel(3, 2), 2);
    EXPECT_TRUE(AreaIs(okno2, QRect(121, 41, 38, 18), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(10, 6, 12, 2), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(2)));
}

TEST_F(Undo, ClearAndOpenAreStepsAndAFailedOpenIsNone) {
    QTemporaryDir dir;
    QFile file(dir.filePath("five.vxr"));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(32000, 5));
    file.close();
    okno2->draw_color = 3;
    stroke({{100, 50}});
    answerOk();
    TFileDialog::QueueAnswer(file.fileName());
    okno1->FileOpen();
    EXPECT_EQ(undoText(), "&Undo Open");
    answerOk();
    TFileDialog::QueueAnswer(dir.filePath("missing.vxr"));
    okno1->FileOpen();
    EXPECT_EQ(undoText(), "&Undo Open");
    answerOk();
    okno1->tool_clrClick();
    EXPECT_EQ(undoText(), "&Undo Clear");
    okno1->EditUndoClick();
    EXPECT_EQ(pixel(0, 0), 5);
    EXPECT_EQ(undoText(), "&Undo Open");
    EXPECT_EQ(redoText(), "&Redo Clear");
    okno1->EditUndoClick();
    EXPECT_EQ(pixel(2, 2), 3);
    EXPECT_EQ(pixel(3, 2), 0);
    okno1->EditUndoClick();
    EXPECT_EQ(pixel(2, 2), 0);
    EXPECT_FALSE(okno1->EditUndoItem->isEnabled());
    EXPECT_EQ(redoText(), "&Redo Paint");
}

// Undo in the middle of a stroke takes back what it has painted so far.
TEST_F(Undo, UndoDuringAStrokeTakesItBack) {
    mouse(QEvent::MouseButtonPress, {100, 50}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {140, 50}, Qt::NoButton, Qt::LeftButton);
    okno1->EditUndoClick();
    EXPECT_EQ(okno2->picture, StoredPicture{});
    EXPECT_EQ(redoText(), "&Redo Paint");
}

TEST_F(Undo, ANewEditDropsRedo) {
    stroke({{100, 50}});
    okno1->EditUndoClick();
    EXPECT_TRUE(okno1->EditRedoItem->isEnabled());
    stroke({{140, 90}});
    EXPECT_FALSE(okno1->EditRedoItem->isEnabled());
    EXPECT_EQ(redoText(), "&Redo");
    okno1->EditUndoClick();
    EXPECT_EQ(okno2->picture, StoredPicture{});
}

// The colours, the zoom, the scroll position and the tool are the user's, not the picture's.
TEST_F(Undo, LeavesTheColoursTheViewAndTheToolAlone) {
    stroke({{100, 50}});
    okno2->scroll1->setValue(3);
    QTest::mouseClick(okno1->tool_zoom1, Qt::LeftButton);
    QTest::mouseClick(okno1->color_b7, Qt::LeftButton);
    QTest::mouseClick(okno1->SpeedButton2, Qt::LeftButton);
    okno1->EditUndoClick();
    EXPECT_EQ(okno2->draw_color, 7);
    EXPECT_EQ(okno2->view_cols, 32u);
    EXPECT_EQ(okno2->scroll_x, 12);
    EXPECT_EQ(okno1->tool_mode, 2);
    EXPECT_TRUE(okno1->color_b7->isChecked());
}

// The keys reach the Edit menu whichever inner window has the keyboard.
TEST_F(Undo, ShortcutsWorkWithTheFocusInAnyInnerWindow) {
    QApplication::setActiveWindow(okno1->Host());
    for (TForm* inner : {static_cast<TForm*>(okno2), static_cast<TForm*>(okno_prv),
                         static_cast<TForm*>(okno_info)}) {
        SCOPED_TRACE(inner->objectName().toStdString());
        desk().document().reset();
        stroke({{100, 50}});
        inner->setFocusPolicy(Qt::ClickFocus);
        inner->setFocus();
        QTest::keyClick(inner, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(pixel(2, 2), 0);
        QTest::keyClick(inner, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(pixel(2, 2), 1);
        QTest::keyClick(inner, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(inner, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(pixel(2, 2), 1);
        inner->setFocusPolicy(Qt::NoFocus);
    }
}
