#pragma once
#include "colour/tcolor.h"
#include <QIcon>
#include <QRadioButton>
#include <QWidget>

class QPainter;

// A lowered line or box. It is drawn into its form's surface, under whatever the form's canvas
// draws later, as a frame around other content; the widget itself only holds the place.
class TBevel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Shape READ shape WRITE setShape)
public:
    explicit TBevel(QWidget* parent = nullptr);
    QString shape() const { return shape_; }
    void setShape(const QString& shape) { shape_ = shape; }
    // Draws the bevel at its place in its parent's coordinates.
    void DrawOnto(QPainter& painter) const;

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

// A radio button whose click comes when it becomes checked, not when a checked one is pressed
// again.
class TRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TRadioButton(QWidget* parent = nullptr);
signals:
    void Click();
};

// A 20 x 20 square of the colour in a thin black frame, for buttons that choose a colour.
QIcon ColourSwatch(TColor color);
