#include "info/info_window.h"
#include "app/editor_desk.h"
#include "display/displayed_palette.h"

Tokno_info* okno_info = nullptr;

Tokno_info::Tokno_info(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_info->SetTop(10);
    okno_info->SetLeft(700);
}

void Tokno_info::swatch(TColor color, int x1, int y1, int x2, int y2) {
    Canvas->Pen.Color = color;
    Canvas->Brush.Color = color;
    Canvas->Rectangle(x1, y1, x2, y2);
}

// The draw colour goes second, so it lies over the background swatch.
void Tokno_info::show_current_colors() {
    const Document& document = desk().document();
    swatch(palette_color(document.back_color), 176, 66, 216, 106);
    swatch(palette_color(document.draw_color), 160, 50, 200, 90);
}

void Tokno_info::show_color1(unsigned index) { swatch(palette_color(index), 20, 70, 46, 86); }
void Tokno_info::show_color2(unsigned index) { swatch(palette_color(index), 20, 90, 46, 106); }
// A cell in hires holds two colours and shares no background: the swatches and names of the
// third colour and the background stay empty.
void Tokno_info::show_color3(unsigned index) {
    const bool held = desk().document().mode().colours_per_area() >= 3;
    label_c3->setVisible(held);
    swatch(held ? palette_color(index) : FormColor(), 20, 110, 46, 126);
}

void Tokno_info::show_back() {
    const Document& document = desk().document();
    const bool held = document.mode().shared.background;
    Label2->setVisible(held);
    swatch(held ? palette_color(document.back_color) : FormColor(), 20, 130, 46, 146);
}
