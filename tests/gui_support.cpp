#include "tests/gui_support.h"
#include "app/Main.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>
#include <cstdio>

std::string Hex(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", unsigned(color));
    return text;
}

bool OnViewFrame(int x, int y) {
    const int size = okno1->preview_size, origin = size == 2 ? 2 : 0;
    const int right = std::min<int>(okno2->scroll_x + int(okno2->view_cols), kPictureColumns);
    const int bottom = std::min<int>(okno2->scroll_y + int(okno2->view_rows), kPictureRows);
    if (right <= okno2->scroll_x || bottom <= okno2->scroll_y) return false;
    const int x0 = origin + 2 * size * okno2->scroll_x, x1 = origin + 2 * size * right - 1;
    const int y0 = origin + size * okno2->scroll_y, y1 = origin + size * bottom - 1;
    return ((x == x0 || x == x1) && y0 <= y && y <= y1) ||
           ((y == y0 || y == y1) && x0 <= x && x <= x1);
}

::testing::AssertionResult AreaIs(TForm* form, const QRect& area, TColor color) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (form->Canvas->GetPixel(x, y) != color && !(form == okno_prv && OnViewFrame(x, y)))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is "
                       << Hex(form->Canvas->GetPixel(x, y)) << ", not " << Hex(color);
    return ::testing::AssertionSuccess();
}

// Keys typed before the window system has activated the dialog would reach whatever window
// had the keyboard before it.
QTimer* WhenModal(std::function<void()> answer) {
    auto* poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || QApplication::activeWindow() != dialog) return;
        poll->stop();
        poll->deleteLater();
        answer();
    });
    poll->start();
    return poll;
}

static std::string describe(const QWidget* widget) {
    if (!widget) return "nowhere";
    return widget->metaObject()->className() + std::string(" \"") +
           widget->objectName().toStdString() + "\"";
}

namespace {

// Each showing of a dialog is timed from its own start. The confirmation is one dialog shown
// again and again, and the guard's timer runs only inside some event loop, in a test body most
// often that of a dialog: timed by the dialog alone, its showings in a long run of events would
// add up to a dialog "still open" that every time was answered at once.
class DialogShowings : public QObject {
public:
    using QObject::QObject;
    QPointer<QDialog> dialog;
    QElapsedTimer since;
    int limit = 0; // milliseconds

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* shown = qobject_cast<QDialog*>(watched)) dialog = shown, since.start();
        return false;
    }
};

} // namespace

void GuardAgainstHangingDialogs(int milliseconds) {
    static DialogShowings* showings = nullptr;
    if (showings) {
        showings->limit = milliseconds;
        return;
    }
    SetUnansweredDialogHandler([](const QString& dialog) {
        ADD_FAILURE() << "a " << dialog.toStdString() << " was shown with no answer queued";
    });
    showings = new DialogShowings(qApp);
    showings->limit = milliseconds;
    qApp->installEventFilter(showings);
    auto* watch = new QTimer(qApp);
    watch->setInterval(100);
    QObject::connect(watch, &QTimer::timeout, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (dialog != showings->dialog) showings->dialog = dialog, showings->since.start();
        if (!showings->since.hasExpired(showings->limit)) return;
        ADD_FAILURE() << "the dialog \"" << dialog->windowTitle().toStdString() << "\" ("
                      << describe(dialog) << ") was still open after " << showings->limit
                      << " ms; the keyboard focus was on " << describe(QApplication::focusWidget())
                      << ", the active window " << describe(QApplication::activeWindow());
        dialog->done(QDialog::Rejected);
        showings->since.start();
    });
    watch->start();
}

RenderedPdf render_pdf(const QString& pdf) {
    QTemporaryDir out;
    QProcess renderer;
    renderer.start("pdftoppm", {"-r", "40", "-png", pdf, out.filePath("page")});
    if (!renderer.waitForFinished(30000)) renderer.kill();
    const QStringList pages = QDir(out.path()).entryList({"page*.png"}, QDir::Files, QDir::Name);
    if (pages.isEmpty()) return {};
    return {int(pages.size()), QImage(out.filePath(pages.front()))};
}

void Settle() { QApplication::processEvents(); }

bool SettleUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.hasExpired(milliseconds)) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::uint8_t& pixel(int column, int row) { return okno2->picture[row * 160 + column]; }

QPoint cell(int column, int row) { return {column * 40 + 20, row * 20 + 10}; }

void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers keys, QWidget* window) {
    if (!window) window = okno2;
    QMouseEvent event(type, at, window->mapToGlobal(at), button, held, keys);
    QApplication::sendEvent(window, &event);
}

void PictureMenuTest::SetUp() {
    ResetEditor();
    SetQuestionDisplay([](const QString&, const QString&) { return true; });
}

void PictureMenuTest::TearDown() {
    SetQuestionDisplay(nullptr);
    desk().change_view([](ViewChoices& view) { view.clashes = false; });
    TFileDialog::DropAnswers();
}

QStringList modes_marked() {
    QStringList marked;
    for (const QAction* item : okno1->PictureModeMenu->actions())
        if (item->isChecked()) marked << item->text();
    return marked;
}

std::vector<TForm*> all_windows() { return {okno1, okno_prv, okno2, okno_info, dlgopen, prefs}; }

// A fresh document, which the windows follow, and the view state of a first start.
void EditorWindowTest::SetUp() {
    ResetEditor();
    QApplication::setActiveWindow(okno1->Host());
}

void EditorWindowTest::TearDown() { ResetEditor(); }

QString EditorWindowTest::status() {
    return static_cast<QMainWindow*>(okno1->Host())->statusBar()->currentMessage();
}

void ResetEditor() {
    desk().end_stroke();
    desk().document().reset();
    desk().set_spare_page(std::nullopt, 1);
    desk().change_view([](ViewChoices& view) { view = {}; });
    okno2->scroll1->setValue(0);
    okno2->scroll2->setValue(0);
    okno2->set_zoom(4, 3);
    okno1->show_in_palette(PaletteId::Vexlor);
    for (QCheckBox* grid : {prefs->vexlor_grid1, prefs->vexlor_grid2}) grid->setChecked(true);
    for (QWidget* colour : {prefs->gridcol1, prefs->gridcol2}) colour->setEnabled(true);
    prefs->zom1->setChecked(true);
    prefs->prvdouble->setChecked(true);
    okno1->preview_size = 2;
    desk().choose_full_cell(FullCell::KeepColours);
    desk().choose_paint_target(PaintTarget::Bitmap);
    desk().choose_sprite(std::nullopt);
    okno1->ViewPalZoomItem->setChecked(false);
    okno1->ViewPalZoomClick();
    okno1->ViewPalDisplayItem->setChecked(false);
    okno1->ViewPalDisplayClick();
    desk().choose_colour(1);
    desk().change_pen([](Pen& pen) { pen = {}; });
    desk().change_ink([](Ink& ink) { ink = {}; });
    desk().change_symmetry([](SymmetryChoice& symmetry) { symmetry = {}; });
    desk().choose_select_shape(SelectShape::Rectangle);
    desk().choose_brush_transparent(std::nullopt);
    desk().set_spray_flow(kSprayFlow);
    QSettings("Vexlor", "Vexlor").clear();
    okno1->tool_mode = toolFreePaint;
    for (QAbstractButton* down : {okno1->color_b1, okno1->tool_b2, okno1->tool_zoom2})
        down->setChecked(true);
    for (TForm* form : {static_cast<TForm*>(okno_prv), static_cast<TForm*>(okno_info)}) {
        form->Canvas->Brush.Color = clBlack;
        form->Canvas->FillRect({0, 0, form->ClientWidth(), form->ClientHeight()});
    }
    // The children lie as they were created, the information window on top and active.
    for (TForm* child : {static_cast<TForm*>(okno_prv), static_cast<TForm*>(okno2),
                         static_cast<TForm*>(okno_info)})
        okno1->MdiClient()->setActiveSubWindow(static_cast<QMdiSubWindow*>(child->Host()));
    okno2->FormPaint();
    Settle();
}
