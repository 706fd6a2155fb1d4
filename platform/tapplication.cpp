#include "platform/tapplication.h"
#include <QMessageBox>
#include <QTimer>

TApplication* Application = nullptr;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    Application = this;
    // The layouts were drawn for a small sans-serif face.
    QFont face("DejaVu Sans");
    face.setPixelSize(12);
    setFont(face);
}

TApplication::~TApplication() {
    ReleaseForms();
    Application = nullptr;
}

// The forms leave the list first: events sent while they are destroyed must not reach them.
// Children live inside the frame, so the frame goes last, taking them with it.
void TApplication::ReleaseForms() {
    const std::vector<TForm*> forms = std::exchange(forms_, {});
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if (it + 1 == forms.rend()) break;
        if (!(*it)->Host())
            delete *it;
        else if ((*it)->Host()->isWindow())
            delete (*it)->Host();
    }
    if (!forms.empty()) delete forms.front()->Host();
}

void TApplication::adopt(TForm* form) {
    forms_.push_back(form);
    form->DoCreate();
}

void TApplication::Run() {
    if (!MainForm()) return;
    MainForm()->ShowMaximized();
    MainForm()->Host()->activateWindow();
    running_ = true;
    exec();
    running_ = false;
}

void TApplication::ShowException(const std::exception& error) {
    const QString message = QString::fromLocal8Bit(error.what());
    if (display_)
        display_(message);
    else
        QMessageBox::critical(nullptr, applicationName(), message);
}

// Where no window manager runs, nobody hands the keyboard on when a dialog closes: the dialog
// still open under it takes it back, or else the frame.
void TApplication::passFocusOnFrom(QObject* receiver) {
    auto* window = qobject_cast<QWidget*>(receiver);
    if (!window || !window->isWindow() || !MainForm() || window == MainForm()->Host()) return;
    if (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip) return;
    QTimer::singleShot(0, this, [this] {
        QWidget* next = activeModalWidget();
        if (!next && MainForm()) next = MainForm()->Host();
        if (next && next->isVisible()) next->activateWindow();
    });
}

// Whatever a handler drew on a canvas reaches the screen once its event has been handled.
bool TApplication::notify(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::Hide) passFocusOnFrom(receiver);
    bool handled = false;
    try {
        handled = QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    for (TForm* form : forms_) form->FlushSurface();
    return handled;
}
