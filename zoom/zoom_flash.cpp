// The outline of a full cell, flashed where a plot was refused: three blinks, each drawn over
// the view and taken away by drawing the view again, never a wait.
#include "zoom/zoom_window.h"

constexpr int kFlashBlink = 100; // milliseconds the outline shows, and then does not
constexpr int kFlashSteps = 6;   // three times on and off

void Tokno2::flash_area(const PixelArea& area) {
    if (flash_steps_ > 0 && area == flash_area_) return; // the same flash goes on
    flash_area_ = area;
    flash_steps_ = kFlashSteps;
    if (!flash_timer_.isActive()) {
        flash_timer_.setInterval(kFlashBlink);
        connect(&flash_timer_, &QTimer::timeout, this, &Tokno2::step_flash, Qt::UniqueConnection);
        flash_timer_.start();
    }
    draw_flash();
}

void Tokno2::step_flash() {
    if (--flash_steps_ <= 0) flash_timer_.stop();
    FormPaint();
}

// A white line round the area with a black one inside it, so it shows on any colour; only
// while the flash is on.
void Tokno2::draw_flash() {
    if (flash_steps_ <= 0 || flash_steps_ % 2 != 0) return;
    const TRect shown = shown_on_screen(flash_area_);
    Canvas->Pen.Style = psSolid;
    for (int inset = 0; inset < 3; ++inset) {
        Canvas->Pen.Color = inset < 2 ? clWhite : clBlack;
        const int left = shown.Left + inset, top = shown.Top + inset;
        const int right = shown.Right - 1 - inset, bottom = shown.Bottom - 1 - inset;
        Canvas->MoveTo(left, top);
        Canvas->LineTo(right, top);
        Canvas->LineTo(right, bottom);
        Canvas->LineTo(left, bottom);
        Canvas->LineTo(left, top);
    }
}
