#include "platform/tcanvas.h"
#include <algorithm>
#include <cstdlib>

void TCanvas::Attach(QImage* surface) {
    surface_ = surface;
    bits_ = reinterpret_cast<std::uint32_t*>(surface->bits());
    stride_ = surface->bytesPerLine() / 4;
    width_ = surface->width();
    height_ = surface->height();
    touchLeft_ = touchRight_ = 0;
}

QRect TCanvas::TakeTouched() {
    if (touchLeft_ >= touchRight_) return {};
    const QRect area(QPoint(int(touchLeft_), int(touchTop_)),
                     QPoint(int(touchRight_ - 1), int(touchBottom_ - 1)));
    touchLeft_ = touchRight_ = 0;
    return area;
}

void TCanvas::plot(int x, int y, std::uint32_t word) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[y * stride_ + x] = word;
}

// One pass, row by row: the outline rows, then each inner row filled and given its two edges.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const qsizetype left = std::max(x1, 0), top = std::max(y1, 0);
    const qsizetype right = std::min<qsizetype>(x2, width_),
                    bottom = std::min<qsizetype>(y2, height_);
    if (left >= right || top >= bottom) return;
    const std::uint32_t fill = SurfaceWord(Brush.Color);
    const std::uint32_t edge = Pen.Style == psSolid ? SurfaceWord(Pen.Color) : fill;
    const bool leftEdge = x1 >= 0, rightEdge = x2 - 1 < width_;
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
    const qsizetype left = std::max(std::min(x0, x), 0), top = std::max(std::min(y0, y), 0);
    const qsizetype right = std::min<qsizetype>(std::max(x0, x) + 1, width_);
    const qsizetype bottom = std::min<qsizetype>(std::max(y0, y) + 1, height_);
    if (left < right && top < bottom) touched(left, top, right, bottom);
}
