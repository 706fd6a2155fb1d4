#include "platform/controls.h"
#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor dark = palette().dark().color(), light = palette().light().color();
    const int r = width() - 1, b = height() - 1;
    auto lowered = [&](int x1, int y1, int x2, int y2, bool vertical) {
        p.setPen(dark);
        p.drawLine(x1, y1, x2, y2);
        p.setPen(light);
        p.drawLine(x1 + (vertical ? 1 : 0), y1 + (vertical ? 0 : 1), x2 + (vertical ? 1 : 0),
                   y2 + (vertical ? 0 : 1));
    };
    if (shape_ == "bsTopLine") {
        lowered(0, 0, r, 0, false);
    } else if (shape_ == "bsLeftLine") {
        lowered(0, 0, 0, b, true);
    } else { // bsBox and bsFrame: a lowered rectangle
        p.setPen(dark);
        p.drawRect(0, 0, r - 1, b - 1);
        p.setPen(light);
        p.drawLine(1, 1, r - 2, 1);
        p.drawLine(1, 1, 1, b - 2);
        p.drawLine(0, b, r, b);
        p.drawLine(r, 0, r, b);
    }
}

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetBrushColor(TColor color) {
    brush_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(QColor(SurfaceWord(brush_)));
    p.drawRect(0, 0, width() - 1, height() - 1);
}
