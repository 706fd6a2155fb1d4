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

TRect preview_rect(const PixelArea& area, const PreviewPixels& pixels) {
    return {pixels.origin + pixels.width * area.left, pixels.origin + pixels.height * area.top,
            pixels.origin + pixels.width * (area.right() + 1),
            pixels.origin + pixels.height * (area.bottom() + 1)};
}

void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, const PreviewPixels& pixels,
                         int dash, const PixelArea& redrawn) {
    const TRect line = preview_rect(area, pixels), open = preview_rect(redrawn, pixels);
    const int x0 = line.Left, x1 = line.Right - 1, y0 = line.Top, y1 = line.Bottom - 1;
    auto dot = [&](int x, int y) {
        if (open.Left <= x && x < open.Right && open.Top <= y && y < open.Bottom)
            canvas.SetPixel(x, y, (x + y) / dash % 2 ? clWhite : clBlack);
    };
    for (int x = std::max(x0, open.Left); x <= std::min(x1, open.Right - 1); ++x)
        dot(x, y0), dot(x, y1);
    for (int y = std::max(y0, open.Top); y <= std::min(y1, open.Bottom - 1); ++y)
        dot(x0, y), dot(x1, y);
}

void draw_pal_preview(TCanvas& canvas, ConstPixelGrid picture, int pixel_aspect,
                      const PixelArea& area, const PreviewPixels& pixels,
                      const ReferenceLayer& reference) {
    const int part = pixels.width / pixel_aspect;
    thread_local std::vector<TColor> shown;
    shown.resize(std::size_t(area.width * pixel_aspect));
    for (int row = area.top; row <= area.bottom(); ++row) {
        shown_pal_display().show_row(picture, pixel_aspect, row, area.left * pixel_aspect,
                                     (area.right() + 1) * pixel_aspect, shown.data());
        reference.blend_row(row, area.left, area.width, pixel_aspect, shown.data());
        const int x = pixels.origin + pixels.width * area.left;
        const int y = pixels.origin + pixels.height * row;
        for (int line = 0; line < pixels.height; ++line)
            canvas.SetPixelRow(x, y + line, shown.data(), int(shown.size()), part);
    }
}
