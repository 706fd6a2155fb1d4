#include "preview/preview_window.h"

Tokno_prv* okno_prv = nullptr;

Tokno_prv::Tokno_prv(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_prv->SetTop(5);
    okno_prv->SetLeft(20);
}

void Tokno_prv::FormMouseMove(TObject*, TShiftState, int, int) {}

// A picture pixel is a 4 x 2 block from (2, 2) at double size and 2 x 1 from (0, 0) at single
// size, as the frame draws the preview.
void draw_selection_outline(TCanvas& canvas, const PixelArea& area, int size) {
    const int across = 2 * size, down = size, origin = size == 2 ? 2 : 0;
    const int x0 = origin + across * area.left, x1 = origin + across * (area.right() + 1) - 1;
    const int y0 = origin + down * area.top, y1 = origin + down * (area.bottom() + 1) - 1;
    auto dash = [&](int x, int y) { canvas.SetPixel(x, y, (x + y) / 2 % 2 ? clWhite : clBlack); };
    for (int x = x0; x <= x1; ++x) dash(x, y0), dash(x, y1);
    for (int y = y0; y <= y1; ++y) dash(x0, y), dash(x1, y);
}
