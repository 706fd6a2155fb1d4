#pragma once
#include "app/editor_desk.h"
#include "colour/tcolor.h"
#include "display/displayed_palette.h"
#include "platform/tform.h"
#include "tests/file_support.h"
#include <QEvent>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Whether the preview's pixel lies on the zoom view's frame.
bool OnViewFrame(int x, int y);
// Every pixel of `area` on the form's surface has `color`; on the preview, the zoom view's
// frame aside.
::testing::AssertionResult AreaIs(TForm* form, const QRect& area, TColor color);

// Runs `answer` once the next modal dialog is up and active (has the keyboard), as a user would
// answer it. The timer that waits for it may be deleted where no dialog came.
QTimer* WhenModal(std::function<void()> answer);

// For a whole test program: a modal dialog still open `milliseconds` after it came up fails the
// running test, naming the dialog and the widget with the keyboard focus, and is closed so that
// the run goes on; a file or colour dialog with no queued answer fails the test at once. The
// limit is far above what answering takes, so that no busy machine reaches it; called again, it
// only sets a new limit.
void GuardAgainstHangingDialogs(int milliseconds = 15000);

// Lets queued events run, so that the surface reaches the screen.
void Settle();

// Lets events run until `condition` holds or `milliseconds` have passed; whether it held.
bool SettleUntil(const std::function<bool()>& condition, int milliseconds = 3000);

std::string Hex(TColor color);

struct RenderedPdf {
    int pages = 0;
    QImage first; // the first page
};
// The PDF file's pages as pdftoppm draws them.
RenderedPdf render_pdf(const QString& pdf);

// The picture's pixel, to read or set.
std::uint8_t& pixel(int column, int row);
// The middle of a zoom-view cell at the 4 x 3 level.
QPoint cell(int column, int row);
// A mouse event on the zoom view, or on another window.
void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers keys = Qt::NoModifier, QWidget* window = nullptr);

// The six windows, in the order of their creation.
std::vector<TForm*> all_windows();

// What held once the windows were created and the frame first shown, before any test ran.
struct StartState {
    int paints_before_show = -1; // paints between the windows' creation and the first showing
    QWidget* active_child = nullptr;
    int confirmation_answer = -1;
    QStringList modes_marked; // the items of Picture > Mode checked
};
// The items of Picture > Mode checked now.
QStringList modes_marked();
extern StartState start_state;

// Picture-menu tests: questions answered yes, clash marks off and no queued file answers
// after each, a folder of their own.
struct PictureMenuTest : ::testing::Test {
    QTemporaryDir dir;
    void SetUp() override;
    void TearDown() override;
};

// Puts the editor back as it starts: nothing selected or floating, empty picture, 4 x 3 zoom
// at the origin, both grids on, double-size preview, free paint, black surfaces, no file,
// nothing stored.
void ResetEditor();

// A window test that starts and ends with the editor as at start, its frame active.
struct EditorWindowTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;
    // The frame's status bar, as it reads now.
    static QString status();
};
