#pragma once
#include "platform/tcolor.h"
#include <QWidget>

// A lowered line or box drawn over its parent, as a frame around other content.
class TBevel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Shape READ shape WRITE setShape)
public:
    explicit TBevel(QWidget* parent = nullptr);
    QString shape() const { return shape_; }
    void setShape(const QString& shape) { shape_ = shape; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString shape_ = "bsBox";
};

// A rectangle filled with its brush colour inside a one-pixel black pen.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);
    TColor BrushColor() const { return brush_; }
    void SetBrushColor(TColor color);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TColor brush_ = clWhite;
};
