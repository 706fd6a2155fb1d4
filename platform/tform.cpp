#include "platform/tform.h"
#include "platform/controls.h"
#include "platform/exception.h"
#include "platform/tapplication.h"
#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr const char* kEventNames[] = {"OnCreate",    "OnShow",    "OnPaint",    "OnMouseDown",
                                       "OnMouseMove", "OnMouseUp", "OnDblClick", "OnCloseQuery"};
constexpr int kEventArity[] = {1, 1, 1, 5, 4, 5, 1, 2};

QString layoutText(const QObject* object, const char* name) {
    return object->property(name).toString();
}

class FrameHost : public QMainWindow {
public:
    explicit FrameHost(TForm* form) : form_(form) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (form_->CloseQuery())
            event->accept();
        else
            event->ignore();
    }

private:
    TForm* form_;
};

// A child window with a close box is minimised by it, never closed.
class ChildHost : public QMdiSubWindow {
public:
    explicit ChildHost(bool closeBox) : closeBox_(closeBox) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (closeBox_) showMinimized();
    }

private:
    bool closeBox_;
};

// Esc presses the form's cancel button; the close box answers mrCancel.
class DialogHost : public QDialog {
public:
    explicit DialogHost(TForm* form) : form_(form) {}

    void reject() override {
        for (auto* button : form_->findChildren<QAbstractButton*>())
            if (button->property("Cancel").toBool() && button->isEnabled()) {
                button->click();
                break;
            }
        if (form_->ModalResult == mrNone) form_->ModalResult = mrCancel;
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (form_->ModalResult == mrNone) form_->ModalResult = mrCancel;
        event->accept();
    }

private:
    TForm* form_;
};

} // namespace

TModalResult& TModalResult::operator=(int value) {
    value_ = value;
    form_.modalResultSet();
    return *this;
}

TForm::TForm(QWidget* owner) : QWidget(owner), Canvas(&canvas_) { handlers_.fill(-1); }

TForm::~TForm() = default;

// Labels take the size of their text, so that no caption is cut short by the size it was
// drawn at; a label that shows a picture keeps its place and size.
static void sizeLabelsToTheirText(QWidget* form) {
    for (auto* label : form->findChildren<QLabel*>())
        if (label->pixmap().isNull() && !label->text().isEmpty()) label->adjustSize();
}

void TForm::Loaded() {
    const QVariant color = property("Color");
    formColor_ = FromSurfaceWord(
        (color.isValid() ? color.value<QColor>() : palette().window().color()).rgb());
    setAttribute(Qt::WA_OpaquePaintEvent);
    sizeLabelsToTheirText(this);
    makeSurface();
    bindEvents();
    bindModalButtons();
    bindKeys();
    createHost();
}

void TForm::bindEvents() {
    const QMetaObject* meta = metaObject();
    for (int e = 0; e < kEvents; ++e) {
        const QString handler = layoutText(this, kEventNames[e]);
        if (handler.isEmpty()) continue;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (QString::fromLatin1(method.name()) == handler &&
                method.parameterCount() == kEventArity[e])
                handlers_[e] = i;
        }
        if (handlers_[e] < 0)
            throw Exception(QStringLiteral("%1: %2 names %3, which the form does not have")
                                .arg(objectName(), kEventNames[e], handler)
                                .toStdString());
    }
    if (handlers_[OnMouseMove] >= 0) setMouseTracking(true);
}

void TForm::bindModalButtons() {
    for (auto* button : findChildren<QAbstractButton*>()) {
        const int result = button->property("ModalResult").toInt();
        if (result != mrNone)
            connect(button, &QAbstractButton::clicked, this,
                    [this, result] { ModalResult = result; });
    }
}

// A button's key presses it wherever the keyboard is within the form's window; a dialog in
// front has a window of its own, so the keys rest while it is open.
void TForm::bindKeys() {
    for (auto* button : findChildren<QAbstractButton*>()) {
        const QString key = button->property("Key").toString();
        if (key.isEmpty()) continue;
        auto* shortcut = new QShortcut(QKeySequence(key), button);
        connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    }
}

void TForm::createHost() {
    const QString style = layoutText(this, "FormStyle");
    const QString icons = layoutText(this, "BorderIcons");
    const QString caption = windowTitle();
    if (style == "fsMDIForm") {
        auto* frame = new FrameHost(this);
        if (auto* menu = findChild<QMenuBar*>()) frame->setMenuBar(menu);
        frame->setCentralWidget(this);
        mdiClient_ = findChild<QMdiArea*>();
        if (mdiClient_) {
            mdiClient_->setBackground(QColor(SurfaceWord(formColor_)));
            // Children placed beyond the frame's client area stay within reach.
            mdiClient_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            mdiClient_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            mdiClient_->viewport()->installEventFilter(this);
        }
        frame->resize(size());
        frame->setWindowTitle(caption);
        host_ = frame;
    } else if (style == "fsMDIChild") {
        QMdiArea* area = Application->MainForm() ? Application->MainForm()->MdiClient() : nullptr;
        if (!area) throw Exception("a child window needs the frame window first");
        const bool closeBox = icons.contains("biSystemMenu");
        Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (icons.contains("biMinimize")) flags |= Qt::WindowMinimizeButtonHint;
        if (icons.contains("biMaximize")) flags |= Qt::WindowMaximizeButtonHint;
        if (closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        auto* child = new ChildHost(closeBox);
        setFixedSize(size());
        child->setWidget(this);
        child->setWindowTitle(caption);
        area->addSubWindow(child);
        // The area gives every child it takes a system menu, and with it a close box.
        child->setWindowFlags(flags);
        child->adjustSize();
        child->show();
        host_ = child;
    } else {
        auto* dialog = new DialogHost(this);
        dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint);
        auto* layout = new QVBoxLayout(dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        setFixedSize(size());
        layout->addWidget(this);
        dialog->setWindowTitle(caption);
        dialog->setModal(true);
        dialog->setFixedSize(dialog->sizeHint());
        host_ = dialog;
    }
}

void TForm::makeSurface() {
    surface_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface_.fill(SurfaceWord(formColor_));
    // Bevels lie under what the canvas draws, as they belong to the form's own surface.
    if (const auto bevels = findChildren<TBevel*>(); !bevels.isEmpty()) {
        QPainter painter(&surface_);
        for (const TBevel* bevel : bevels) bevel->DrawOnto(painter);
    }
    canvas_.Attach(&surface_);
    surfaceHasContent_ = false;
}

void TForm::FlushSurface() {
    const QRect touched = canvas_.TakeTouched();
    if (!touched.isEmpty()) update(touched);
}

bool TForm::fire(Event event, void** argv) {
    const int index = handlers_[event];
    if (index < 0) return false;
    if (!Application || !Application->Running()) {
        QMetaObject::metacall(this, QMetaObject::InvokeMetaMethod, index, argv);
        return true;
    }
    try {
        QMetaObject::metacall(this, QMetaObject::InvokeMetaMethod, index, argv);
    } catch (const std::exception& error) {
        Application->ShowException(error);
    }
    return true;
}

void TForm::fireSimple(Event event) {
    TObject* sender = this;
    void* argv[] = {nullptr, &sender};
    fire(event, argv);
}

void TForm::DoCreate() { fireSimple(OnCreate); }

bool TForm::CloseQuery() {
    TObject* sender = this;
    bool canClose = true;
    void* argv[] = {nullptr, &sender, &canClose};
    fire(OnCloseQuery, argv);
    return canClose;
}

void TForm::runPaintHandler() {
    ++paintCount_;
    fireSimple(OnPaint);
}

void TForm::paintEvent(QPaintEvent* event) {
    if (!surfaceHasContent_) {
        surfaceHasContent_ = true;
        runPaintHandler();
    }
    QPainter painter(this);
    for (const QRect& area : event->region()) painter.drawImage(area, surface_, area);
}

static TShiftState shiftOf(const QMouseEvent* event) {
    TShiftState shift = 0;
    if (event->buttons() & Qt::LeftButton) shift |= ssLeft;
    if (event->buttons() & Qt::RightButton) shift |= ssRight;
    if (event->buttons() & Qt::MiddleButton) shift |= ssMiddle;
    if (event->modifiers() & Qt::ShiftModifier) shift |= ssShift;
    if (event->modifiers() & Qt::ControlModifier) shift |= ssCtrl;
    if (event->modifiers() & Qt::AltModifier) shift |= ssAlt;
    return shift;
}

void TForm::fireButton(Event event, QMouseEvent* mouse) {
    TMouseButton button = mbLeft;
    if (mouse->button() == Qt::RightButton)
        button = mbRight;
    else if (mouse->button() == Qt::MiddleButton)
        button = mbMiddle;
    else if (mouse->button() != Qt::LeftButton)
        return;
    TObject* sender = this;
    TShiftState shift = shiftOf(mouse);
    int x = mouse->position().toPoint().x(), y = mouse->position().toPoint().y();
    void* argv[] = {nullptr, &sender, &button, &shift, &x, &y};
    fire(event, argv);
}

void TForm::mousePressEvent(QMouseEvent* event) { fireButton(OnMouseDown, event); }
void TForm::mouseReleaseEvent(QMouseEvent* event) { fireButton(OnMouseUp, event); }

void TForm::mouseMoveEvent(QMouseEvent* event) {
    TObject* sender = this;
    TShiftState shift = shiftOf(event);
    int x = event->position().toPoint().x(), y = event->position().toPoint().y();
    void* argv[] = {nullptr, &sender, &shift, &x, &y};
    fire(OnMouseMove, argv);
}

void TForm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (handlers_[OnDblClick] >= 0 && !mdiClient_)
        fireSimple(OnDblClick);
    else
        QWidget::mouseDoubleClickEvent(event);
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (mdiClient_ && watched == mdiClient_->viewport() &&
        event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        fireSimple(OnDblClick);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fireSimple(OnShow);
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (size() != surface_.size()) makeSurface();
}

void TForm::modalResultSet() {
    if (modalRunning_ && ModalResult != mrNone)
        if (auto* dialog = qobject_cast<QDialog*>(host_)) dialog->done(ModalResult);
}

int TForm::ShowModal() {
    auto* dialog = qobject_cast<QDialog*>(host_);
    if (!dialog) throw Exception("only a dialog can be shown modally");
    ModalResult.value_ = mrNone;
    // Both dialogs open centred on the screen, with the first control of the tab order focused.
    CentreOnScreen(dialog, QGuiApplication::primaryScreen());
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabledTo(this) && isAncestorOf(w)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    modalRunning_ = true;
    dialog->exec();
    modalRunning_ = false;
    if (ModalResult == mrNone) ModalResult.value_ = mrCancel;
    return ModalResult;
}

void CentreOnScreen(QWidget* window, const QScreen* screen) {
    if (!screen) return; // where there is no screen to centre on, the window stays where it is
    window->move(screen->availableGeometry().center() - window->rect().center());
}

void TForm::Close() { host_->close(); }

void TForm::SetTop(int top) { host_->move(host_->x(), top); }
void TForm::SetLeft(int left) { host_->move(left, host_->y()); }
int TForm::GetTop() const { return host_->y(); }
int TForm::GetLeft() const { return host_->x(); }

void TForm::ShowMaximized() {
    SizeAsMaximized();
    host_->showMaximized();
}

void TForm::SizeAsMaximized() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        host_->setGeometry(screen->availableGeometry());
    // Hidden, the widgets get no resize events to lay themselves out by: the frame's layout
    // sizes the form, the form's its parts.
    for (QWidget* laid_out : {host_, static_cast<QWidget*>(this)})
        if (QLayout* layout = laid_out->layout()) layout->activate();
}
