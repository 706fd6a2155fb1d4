#pragma once
#include "platform/tform.h"
#include "ui_info_window.h"

// Swatches of the current colours and of the colours the last analysis found.
class Tokno_info : public TForm, public Ui::Tokno_info {
    Q_OBJECT
public:
    explicit Tokno_info(QWidget* owner);

    void show_current_colors();
    void show_color1(unsigned index);
    void show_color2(unsigned index);
    void show_color3(unsigned index);
    void show_back();

private:
    void swatch(TColor color, int x1, int y1, int x2, int y2);
};

extern Tokno_info* okno_info;
