#pragma once
#include "colour/tcolor.h"
#include <QImage>
#include <QRect>
#include <algorithm>

enum TPenStyle { psSolid, psClear };

struct TRect {
    int Left, Top, Right, Bottom;
};

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
};

// Immediate drawing onto a form's surface with the GDI conventions: a rectangle covers
// x1..x2-1 and y1..y2-1, FillRect leaves out the right and bottom edges, LineTo leaves out its
// end point. Everything is clipped to the surface, and to the clip rectangle while one is set.
// The canvas gathers the area it touched until its owner takes it, to bring that area to the
// screen.
class TCanvas {
public:
    TCanvas() = default;
    void Attach(QImage* surface);
    QRect TakeTouched();

    // Until ClearClip, nothing is drawn outside `r`.
    void SetClip(const TRect& r);
    void ClearClip();
    // Moves the pixels of `area` by (dx, dy) within it: what moves past its edges is lost, and
    // what it uncovers keeps its old pixels until drawn again. The clip does not apply.
    void Scroll(const TRect& area, int dx, int dy);

    TPen Pen;
    TBrush Brush;

    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(const TRect& r) {
        fillClipped(r.Left, r.Top, r.Right, r.Bottom, SurfaceWord(Brush.Color));
    }
    void SetPixel(int x, int y, TColor color) {
        if (x < clipLeft_ || y < clipTop_ || x >= clipRight_ || y >= clipBottom_) return;
        bits_[y * stride_ + x] = SurfaceWord(color);
        touched(x, y, x + 1, y + 1);
    }
    // A row of pixels from (x, y), each colour `repeat` screen pixels wide, as SetPixel on
    // each; the brush stays as it is. One clip and one touched area for the row.
    void SetPixelRow(int x, int y, const TColor* colors, int count, int repeat) {
        if (y < clipTop_ || y >= clipBottom_ || count <= 0) return;
        const qsizetype left = std::max<qsizetype>(x, clipLeft_);
        const qsizetype right =
            std::min<qsizetype>(qsizetype(x) + qsizetype(count) * repeat, clipRight_);
        if (left >= right) return;
        std::uint32_t* line = bits_ + y * stride_;
        for (int i = 0; i < count; ++i) {
            const qsizetype start = std::max(qsizetype(x) + qsizetype(i) * repeat, left);
            const qsizetype end = std::min(qsizetype(x) + qsizetype(i + 1) * repeat, right);
            if (start < end) std::fill(line + start, line + end, SurfaceWord(colors[i]));
        }
        touched(left, y, right, y + 1);
    }
    // Pixels x1..x2-1 of line y repeated on each line below it down to y2-1; nothing where line
    // y lies outside the clip.
    void RepeatLine(int x1, int x2, int y, int y2) {
        const qsizetype left = std::max<qsizetype>(x1, clipLeft_);
        const qsizetype right = std::min<qsizetype>(x2, clipRight_);
        const qsizetype bottom = std::min<qsizetype>(y2, clipBottom_);
        if (left >= right || y < clipTop_ || y + 1 >= bottom) return;
        const std::uint32_t* line = bits_ + y * stride_;
        for (qsizetype below = y + 1; below < bottom; ++below)
            std::copy(line + left, line + right, bits_ + below * stride_ + left);
        touched(left, y, right, bottom);
    }
    TColor GetPixel(int x, int y) const;
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    int Width() const { return int(width_); }
    int Height() const { return int(height_); }

private:
    void fillClipped(qsizetype x1, qsizetype y1, qsizetype x2, qsizetype y2, std::uint32_t word) {
        x1 = std::max(x1, clipLeft_);
        y1 = std::max(y1, clipTop_);
        x2 = std::min(x2, clipRight_);
        y2 = std::min(y2, clipBottom_);
        if (x1 >= x2 || y1 >= y2) return;
        for (qsizetype y = y1; y < y2; ++y)
            std::fill(bits_ + y * stride_ + x1, bits_ + y * stride_ + x2, word);
        touched(x1, y1, x2, y2);
    }
    void plot(int x, int y, std::uint32_t word);
    void touched(qsizetype x1, qsizetype y1, qsizetype x2, qsizetype y2) {
        if (x1 >= touchLeft_ && y1 >= touchTop_ && x2 <= touchRight_ && y2 <= touchBottom_) return;
        if (touchLeft_ >= touchRight_) {
            touchLeft_ = x1, touchTop_ = y1, touchRight_ = x2, touchBottom_ = y2;
            return;
        }
        touchLeft_ = std::min(touchLeft_, x1);
        touchTop_ = std::min(touchTop_, y1);
        touchRight_ = std::max(touchRight_, x2);
        touchBottom_ = std::max(touchBottom_, y2);
    }

    QImage* surface_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    qsizetype stride_ = 0; // in words
    // Kept 64-bit so that the compiler knows a pixel store cannot change them.
    qsizetype width_ = 0;
    qsizetype height_ = 0;
    qsizetype clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0; // within the surface
    int penX_ = 0;
    int penY_ = 0;
    qsizetype touchLeft_ = 0, touchTop_ = 0, touchRight_ = 0, touchBottom_ = 0;
};
