#include "preview/preview_window.h"

Tokno_prv* okno_prv = nullptr;

Tokno_prv::Tokno_prv(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_prv->SetTop(5);
    okno_prv->SetLeft(20);
}

// A picture pixel is a 4 x 2 block from (2, 2) at double size and 2 x 1 from (0, 0) at single
// size, as the frame draws the preview.
void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, int size, int dash) {
    const int across = 2 * size, down = size, origin = size == 2 ? 2 : 0;
    const int x0 = origin + across * area.left, x1 = origin + across * (area.right() + 1) - 1;
    const int y0 = origin + down * area.top, y1 = origin + down * (area.bottom() + 1) - 1;
    auto dot = [&](int x, int y) { canvas.SetPixel(x, y, (x + y) / dash % 2 ? clWhite : clBlack); };
    for (int x = x0; x <= x1; ++x) dot(x, y0), dot(x, y1);
    for (int y = y0; y <= y1; ++y) dot(x0, y), dot(x1, y);
}
