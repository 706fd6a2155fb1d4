#include "platform/tcanvas.h"
#include <algorithm>
#include <cstdlib>

void TCanvas::Attach(QImage* surface, DirtySink onDirty) {
    surface_ = surface;
    bits_ = reinterpret_cast<std::uint32_t*>(surface->bits());
    stride_ = surface->bytesPerLine() / 4;
    width_ = surface->width();
    height_ = surface->height();
    onDirty_ = std::move(onDirty);
}

void TCanvas::touched(int x1, int y1, int x2, int y2) {
    if (onDirty_ && x1 < x2 && y1 < y2) onDirty_(QRect(x1, y1, x2 - x1, y2 - y1));
}

void TCanvas::fillClipped(int x1, int y1, int x2, int y2, std::uint32_t word) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width_);
    y2 = std::min(y2, height_);
    if (x1 >= x2 || y1 >= y2) return;
    for (int y = y1; y < y2; ++y) std::fill(bits_ + y * stride_ + x1, bits_ + y * stride_ + x2, word);
    touched(x1, y1, x2, y2);
}

void TCanvas::plot(int x, int y, std::uint32_t word) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[y * stride_ + x] = word;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const std::uint32_t fill = SurfaceWord(Brush.Color);
    const bool outlined = Pen.Style == psSolid && Pen.Color != Brush.Color;
    if (!outlined || x2 - x1 < 3 || y2 - y1 < 3) {
        fillClipped(x1, y1, x2, y2, outlined ? SurfaceWord(Pen.Color) : fill);
        return;
    }
    const std::uint32_t edge = SurfaceWord(Pen.Color);
    fillClipped(x1, y1, x2, y1 + 1, edge);
    fillClipped(x1, y2 - 1, x2, y2, edge);
    fillClipped(x1, y1 + 1, x1 + 1, y2 - 1, edge);
    fillClipped(x2 - 1, y1 + 1, x2, y2 - 1, edge);
    fillClipped(x1 + 1, y1 + 1, x2 - 1, y2 - 1, fill);
}

void TCanvas::FillRect(const TRect& r) {
    fillClipped(r.Left, r.Top, r.Right, r.Bottom, SurfaceWord(Brush.Color));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[y * stride_ + x] = SurfaceWord(color);
    touched(x, y, x + 1, y + 1);
}

TColor TCanvas::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
    return FromSurfaceWord(bits_[y * stride_ + x]);
}

void TCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TCanvas::LineTo(int x, int y) {
    const int x0 = penX_, y0 = penY_;
    penX_ = x;
    penY_ = y;
    if (Pen.Style != psSolid || (x0 == x && y0 == y)) return;
    const std::uint32_t word = SurfaceWord(Pen.Color);
    if (y0 == y) { // the common grid case: one clipped span
        fillClipped(std::min(x0, x + 1), y, std::max(x0 + 1, x), y + 1, word);
        return;
    }
    if (x0 == x) {
        fillClipped(x, std::min(y0, y + 1), x + 1, std::max(y0 + 1, y), word);
        return;
    }
    // Bresenham, stopping short of the end point.
    const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    int err = dx + dy, px = x0, py = y0;
    while (px != x || py != y) {
        plot(px, py, word);
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; px += sx; }
        if (e2 <= dx) { err += dx; py += sy; }
    }
    touched(std::max(std::min(x0, x), 0), std::max(std::min(y0, y), 0),
            std::min(std::max(x0, x) + 1, width_), std::min(std::max(y0, y) + 1, height_));
}
