#include "platform/tcanvas.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

void TCanvas::Attach(QImage* surface) {
    surface_ = surface;
    bits_ = reinterpret_cast<std::uint32_t*>(surface->bits());
    stride_ = surface->bytesPerLine() / 4;
    width_ = surface->width();
    height_ = surface->height();
    touchLeft_ = touchRight_ = 0;
    ClearClip();
}

void TCanvas::SetClip(const TRect& r) {
    clipLeft_ = std::clamp<qsizetype>(r.Left, 0, width_);
    clipTop_ = std::clamp<qsizetype>(r.Top, 0, height_);
    clipRight_ = std::clamp<qsizetype>(r.Right, clipLeft_, width_);
    clipBottom_ = std::clamp<qsizetype>(r.Bottom, clipTop_, height_);
}

void TCanvas::ClearClip() { SetClip({0, 0, int(width_), int(height_)}); }

// Rows are taken in the order that reads each before it is written over.
void TCanvas::Scroll(const TRect& area, int dx, int dy) {
    const qsizetype left = std::max(area.Left, 0), right = std::min<qsizetype>(area.Right, width_);
    const qsizetype top = std::max(area.Top, 0), bottom = std::min<qsizetype>(area.Bottom, height_);
    const qsizetype from = std::max(left, left + dx), to = std::min(right, right + dx);
    if (from >= to) return;
    const auto move_row = [&](qsizetype y) {
        const qsizetype source = y - dy;
        if (source < top || source >= bottom) return;
        std::memmove(bits_ + y * stride_ + from, bits_ + source * stride_ + from - dx,
                     std::size_t(to - from) * sizeof(std::uint32_t));
    };
    if (dy > 0)
        for (qsizetype y = bottom - 1; y >= top; --y) move_row(y);
    else
        for (qsizetype y = top; y < bottom; ++y) move_row(y);
    if (left < right && top < bottom) touched(left, top, right, bottom);
}

QRect TCanvas::TakeTouched() {
    if (touchLeft_ >= touchRight_) return {};
    const QRect area(QPoint(int(touchLeft_), int(touchTop_)),
                     QPoint(int(touchRight_ - 1), int(touchBottom_ - 1)));
    touchLeft_ = touchRight_ = 0;
    return area;
}

void TCanvas::plot(int x, int y, std::uint32_t word) {
    if (x < clipLeft_ || y < clipTop_ || x >= clipRight_ || y >= clipBottom_) return;
    bits_[y * stride_ + x] = word;
}

// One pass, row by row: the outline rows, then each inner row filled and given its two edges.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const qsizetype left = std::max<qsizetype>(x1, clipLeft_),
                    top = std::max<qsizetype>(y1, clipTop_);
    const qsizetype right = std::min<qsizetype>(x2, clipRight_),
                    bottom = std::min<qsizetype>(y2, clipBottom_);
    if (left >= right || top >= bottom) return;
    const std::uint32_t fill = SurfaceWord(Brush.Color);
    const std::uint32_t edge = Pen.Style == psSolid ? SurfaceWord(Pen.Color) : fill;
    const bool leftEdge = x1 >= clipLeft_, rightEdge = x2 - 1 < clipRight_;
    for (qsizetype y = top; y < bottom; ++y) {
        std::uint32_t* row = bits_ + y * stride_;
        if (y == y1 || y == y2 - 1) {
            std::fill(row + left, row + right, edge);
            continue;
        }
        std::fill(row + left, row + right, fill);
        if (leftEdge) row[x1] = edge;
        if (rightEdge) row[x2 - 1] = edge;
    }
    touched(left, top, right, bottom);
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
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
    const qsizetype left = std::max<qsizetype>(std::min(x0, x), clipLeft_);
    const qsizetype top = std::max<qsizetype>(std::min(y0, y), clipTop_);
    const qsizetype right = std::min<qsizetype>(std::max(x0, x) + 1, clipRight_);
    const qsizetype bottom = std::min<qsizetype>(std::max(y0, y) + 1, clipBottom_);
    if (left < right && top < bottom) touched(left, top, right, bottom);
}
