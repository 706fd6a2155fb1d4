#include "platform/controls.h"
#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::DrawOnto(QPainter& p) const {
    const QColor dark = palette().dark().color(), light = palette().light().color();
    const int x = this->x(), y = this->y(), r = x + width() - 1, b = y + height() - 1;
    auto lowered = [&](int x1, int y1, int x2, int y2, bool vertical) {
        p.setPen(dark);
        p.drawLine(x1, y1, x2, y2);
        p.setPen(light);
        p.drawLine(x1 + (vertical ? 1 : 0), y1 + (vertical ? 0 : 1), x2 + (vertical ? 1 : 0),
                   y2 + (vertical ? 0 : 1));
    };
    if (shape_ == "bsTopLine") {
        lowered(x, y, r, y, false);
    } else if (shape_ == "bsLeftLine") {
        lowered(x, y, x, b, true);
    } else { // bsBox and bsFrame: a lowered rectangle
        p.setPen(dark);
        p.drawRect(x, y, r - x - 1, b - y - 1);
        p.setPen(light);
        p.drawLine(x + 1, y + 1, r - 2, y + 1);
        p.drawLine(x + 1, y + 1, x + 1, b - 2);
        p.drawLine(x, b, r, b);
        p.drawLine(r, y, r, b);
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

TRadioButton::TRadioButton(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked) emit Click();
    });
}

QIcon ColourSwatch(TColor color) {
    QPixmap square(20, 20);
    square.fill(QColor(SurfaceWord(color)));
    QPainter(&square).drawRect(0, 0, 19, 19);
    return QIcon(square);
}
