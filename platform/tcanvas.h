#pragma once
#include "platform/tcolor.h"
#include <QImage>
#include <QRect>
#include <functional>

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
// end point. Everything is clipped to the surface; each call reports the area it touched.
class TCanvas {
public:
    using DirtySink = std::function<void(const QRect&)>;

    TCanvas() = default;
    void Attach(QImage* surface, DirtySink onDirty);

    TPen Pen;
    TBrush Brush;

    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(const TRect& r);
    void SetPixel(int x, int y, TColor color);
    TColor GetPixel(int x, int y) const;
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void fillClipped(int x1, int y1, int x2, int y2, std::uint32_t word);
    void plot(int x, int y, std::uint32_t word);
    void touched(int x1, int y1, int x2, int y2);

    QImage* surface_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    qsizetype stride_ = 0; // in words
    int width_ = 0;
    int height_ = 0;
    int penX_ = 0;
    int penY_ = 0;
    DirtySink onDirty_;
};
