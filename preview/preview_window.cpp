#include "preview/preview_window.h"
#include "display/pal_view.h"
#include <vector>

Tokno_prv* okno_prv = nullptr;

Tokno_prv::Tokno_prv(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_prv->SetTop(5);
    okno_prv->SetLeft(20);
}

void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, const PreviewPixels& pixels,
                         int dash) {
    const int across = pixels.width, down = pixels.height, origin = pixels.origin;
    const int x0 = origin + across * area.left, x1 = origin + across * (area.right() + 1) - 1;
    const int y0 = origin + down * area.top, y1 = origin + down * (area.bottom() + 1) - 1;
    auto dot = [&](int x, int y) { canvas.SetPixel(x, y, (x + y) / dash % 2 ? clWhite : clBlack); };
    for (int x = x0; x <= x1; ++x) dot(x, y0), dot(x, y1);
    for (int y = y0; y <= y1; ++y) dot(x0, y), dot(x1, y);
}

void draw_pal_preview(TCanvas& canvas, ConstPixelGrid picture, const PictureShape& shape,
                      const PixelArea& changed, const PreviewPixels& pixels) {
    const PixelArea area = pal_reach(changed, shape);
    const int aspect = shape.pixel_aspect, part = pixels.width / aspect;
    std::vector<TColor> shown(std::size_t(area.width * aspect));
    for (int row = area.top; row <= area.bottom(); ++row) {
        shown_pal_display().show_row(picture, aspect, row, area.left * aspect,
                                     (area.right() + 1) * aspect, shown.data());
        const int x = pixels.origin + pixels.width * area.left;
        const int y = pixels.origin + pixels.height * row;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            canvas.Brush.Color = shown[i];
            canvas.FillRect({x + part * int(i), y, x + part * int(i + 1), y + pixels.height});
        }
    }
}
