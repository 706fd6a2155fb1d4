#pragma once
#include "platform/tcanvas.h"
#include <QImage>
#include <QWidget>
#include <array>

class QMdiArea;
class QScreen;

using TObject = QObject;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
};

// Moves a top-level window to the middle of the screen's available area.
void CentreOnScreen(QWidget* window, const QScreen* screen);

enum TModalResultValue { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm;

// Assigning a non-zero value ends the form's modal run, as a button's modal result does.
class TModalResult {
public:
    explicit TModalResult(TForm& form) : form_(form) {}
    TModalResult& operator=(int value);
    operator int() const { return value_; }

private:
    friend class TForm;
    int value_ = mrNone;
    TForm& form_;
};

// A form is the client area of a window. Its host window follows the form's layout:
// the application's frame, a child inside the frame's MDI area, or a modal dialog.
// The layout names the form's events (OnPaint = "FormPaint", ...) as dynamic properties;
// they are resolved to the form's slots once, when the layout has been loaded.
class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    TCanvas* const Canvas;
    TCanvas* GetCanvas() { return Canvas; }
    TModalResult ModalResult{*this};

    int ShowModal();
    void Close();

    void SetTop(int top);
    void SetLeft(int left);
    int GetTop() const;
    int GetLeft() const;
    int ClientWidth() const { return width(); }
    int ClientHeight() const { return height(); }
    QString Caption() const { return windowTitle(); }

    QWidget* Host() const { return host_; }
    QMdiArea* MdiClient() const { return mdiClient_; }

    // Fills the whole window (the frame fills the screen even where no window manager runs).
    void ShowMaximized();
    // Gives a frame not yet shown the size ShowMaximized gives it, and lays it out, so that what
    // lies inside can be measured before it shows.
    void SizeAsMaximized();

    // The background colour the surface starts with.
    TColor FormColor() const { return formColor_; }

    // Counts the times the paint handler ran; the first is when the window is first shown.
    int PaintCount() const { return paintCount_; }

    // Runs the OnCreate handler; the application does this once the constructor has finished.
    void DoCreate();

    // The OnCloseQuery handler's answer; true where the layout binds none.
    bool CloseQuery();

    // Brings what the canvas drew to the screen; the application does it after every event.
    void FlushSurface();

protected:
    // Builds the host window and binds the events; each window calls it after setupUi().
    void Loaded();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TModalResult;
    enum Event {
        OnCreate,
        OnShow,
        OnPaint,
        OnMouseDown,
        OnMouseMove,
        OnMouseUp,
        OnDblClick,
        OnCloseQuery
    };
    static constexpr int kEvents = 8;

    void bindEvents();
    void bindModalButtons();
    void bindKeys();
    void createHost();
    void makeSurface();
    bool fire(Event event, void** argv);
    void fireSimple(Event event);
    void fireButton(Event event, QMouseEvent* mouse);
    void runPaintHandler();
    void modalResultSet();

    QWidget* host_ = nullptr;
    QMdiArea* mdiClient_ = nullptr;
    TCanvas canvas_;
    QImage surface_;
    TColor formColor_ = clBlack;
    bool surfaceHasContent_ = false;
    bool modalRunning_ = false;
    int paintCount_ = 0;
    std::array<int, kEvents> handlers_{};
};
