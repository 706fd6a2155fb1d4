#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include "navigation/navigation.h"
#include "preview/preview_window.h"
#include "zoom/zoom_window.h"
#include <QPainter>

namespace {

void zoom_paint(benchmark::State& state, bool fine) {
    fill_with_stripes();
    fine ? okno1->tool_zoom1Click() : okno1->tool_zoom2Click();
    for (auto _ : state) okno2->FormPaint();
}

// The same redraw of a hires picture, which has twice the pixels across.
void zoom_paint_hires(benchmark::State& state, bool fine) {
    okno1->mode_item(fmtHires)->trigger();
    zoom_paint(state, fine);
    okno1->mode_item(fmtMulticolor)->trigger();
}

void fill_once(benchmark::State& state, TForm* form, int w, int h) {
    for (auto _ : state) {
        form->Canvas->Brush.Color = 0x123456;
        form->Canvas->FillRect({0, 0, w, h});
    }
}

void preview(benchmark::State& state, std::uint8_t size) {
    fill_with_stripes();
    okno1->preview_size = size;
    for (auto _ : state) okno1->redraw_preview(160, 200);
}

// The whole picture as a PAL television shows it: the signal alone, and drawn in the preview.
void pal_signal(benchmark::State& state) {
    fill_with_stripes();
    const PalDisplay display(palette_colors(PaletteId::Pepto));
    for (auto _ : state)
        benchmark::DoNotOptimize(display.show_picture(desk().document().grid(), 2));
}

void pal_preview(benchmark::State& state, std::uint8_t size) {
    show_pal_view({true, false});
    preview(state, size);
    show_pal_view({});
}

// The same rectangles and lines as the zoom view, through a painter opened for every call.
void zoom_paint_naive(benchmark::State& state, int cols, int rows) {
    fill_with_stripes();
    QImage image(670, 520, QImage::Format_RGB32);
    const int w = 640 / cols, h = 480 / rows;
    for (auto _ : state) {
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < cols; ++j) {
                QPainter p(&image);
                p.setPen(QColor(0x55, 0x55, 0x55));
                p.setBrush(QColor(SurfaceWord(palette_color(okno2->read_pixel(j, i)))));
                p.drawRect(j * w, i * h, w - 1, h - 1);
            }
        for (int i = 0; i < rows / 3; ++i)
            for (int j = 0; j < cols / 4; ++j) {
                QPainter p(&image);
                p.setPen(QColor(0xFF, 0xE0, 0x11));
                p.drawLine(j * w * 4, 0, j * w * 4, 479);
                p.drawLine(0, i * h * 8, 639, i * h * 8);
            }
    }
}

void preview_naive(benchmark::State& state, int size) {
    fill_with_stripes();
    QImage image(783, 464, QImage::Format_RGB32);
    for (auto _ : state)
        for (int v = 0; v < 200; ++v)
            for (int u = 0; u < 160; ++u) {
                const QColor color(SurfaceWord(palette_color(okno2->picture[v * 160 + u])));
                QPainter p(&image);
                if (size == 2)
                    p.fillRect(4 * u + 2, 2 * v + 2, 4, 2, color);
                else {
                    p.setPen(color);
                    p.drawPoint(2 * u, v);
                    p.drawPoint(2 * u + 1, v);
                }
            }
}

// A full redraw of the zoom view at its widest level, with a photo-like reference image over
// the picture at 50 % or without one.
void zoom_paint_widest(benchmark::State& state, bool with_reference) {
    fill_with_stripes();
    okno2->zoom_to(kZoomLevels.size() - 1, 0, 0);
    RgbImage image{320, 200, std::vector<std::uint8_t>(320 * 200 * 3)};
    for (std::size_t i = 0; i < image.rgb.size(); ++i) image.rgb[i] = std::uint8_t(i * 31 / 7);
    if (with_reference) desk().document().set_reference(reference_from_image(image));
    for (auto _ : state) okno2->FormPaint();
    desk().document().set_reference(std::nullopt);
    okno2->set_zoom(4, 3);
}

// J: the pages change places and both views are drawn anew.
void swap_pages(benchmark::State& state) {
    fill_with_stripes();
    for (auto _ : state) desk().swap_pages();
    if (desk().page_shown() == 2) desk().swap_pages();
}

void BM_ZoomWidest(benchmark::State& s) { zoom_paint_widest(s, false); }
void BM_ZoomWidestReference(benchmark::State& s) { zoom_paint_widest(s, true); }
void BM_SwapPages(benchmark::State& s) { swap_pages(s); }
void BM_Zoom4x3(benchmark::State& s) { zoom_paint(s, false); }
void BM_Zoom8x6(benchmark::State& s) { zoom_paint(s, true); }
void BM_Zoom4x3Hires(benchmark::State& s) { zoom_paint_hires(s, false); }
void BM_Zoom8x6Hires(benchmark::State& s) { zoom_paint_hires(s, true); }
void BM_ZoomArea(benchmark::State& s) { fill_once(s, okno2, 640, 480); }
void BM_Zoom4x3Naive(benchmark::State& s) { zoom_paint_naive(s, 16, 24); }
void BM_Zoom8x6Naive(benchmark::State& s) { zoom_paint_naive(s, 32, 48); }
void BM_PreviewDouble(benchmark::State& s) { preview(s, 2); }
void BM_PreviewDoubleArea(benchmark::State& s) { fill_once(s, okno_prv, 640, 400); }
void BM_PreviewDoubleNaive(benchmark::State& s) { preview_naive(s, 2); }
void BM_PreviewSingle(benchmark::State& s) { preview(s, 1); }
void BM_PalSignal(benchmark::State& s) { pal_signal(s); }
void BM_PalPreviewDouble(benchmark::State& s) { pal_preview(s, 2); }
void BM_PalPreviewSingle(benchmark::State& s) { pal_preview(s, 1); }
void BM_PreviewSingleArea(benchmark::State& s) { fill_once(s, okno_prv, 320, 200); }
void BM_PreviewSingleNaive(benchmark::State& s) { preview_naive(s, 1); }

} // namespace

void fill_with_stripes() {
    const PictureShape& shape = desk().document().mode().shape;
    for (int i = 0; i < shape.width * shape.height; ++i)
        okno2->picture[std::size_t(i)] = std::uint8_t((i / 3) % 16);
}

VEXLOR_BENCH(BM_Zoom4x3, "FormPaint 4x3");
VEXLOR_BENCH(BM_ZoomArea, "FormPaint 4x3/baseline");
VEXLOR_BENCH(BM_Zoom4x3Naive, "FormPaint 4x3/naive");
VEXLOR_BENCH(BM_Zoom8x6, "FormPaint 8x6");
VEXLOR_BENCH(BM_ZoomArea, "FormPaint 8x6/baseline");
VEXLOR_BENCH(BM_Zoom8x6Naive, "FormPaint 8x6/naive");
VEXLOR_BENCH(BM_Zoom4x3Hires, "FormPaint 4x3, hires");
VEXLOR_BENCH(BM_Zoom8x6Hires, "FormPaint 8x6, hires");
VEXLOR_BENCH(BM_PreviewDouble, "redraw_preview double");
VEXLOR_BENCH(BM_PreviewDoubleArea, "redraw_preview double/baseline");
VEXLOR_BENCH(BM_PreviewDoubleNaive, "redraw_preview double/naive");
VEXLOR_BENCH(BM_PreviewSingle, "redraw_preview single");
VEXLOR_BENCH(BM_PreviewSingleArea, "redraw_preview single/baseline");
VEXLOR_BENCH(BM_PreviewSingleNaive, "redraw_preview single/naive");
VEXLOR_BENCH(BM_PalSignal, "PAL display of the picture");
VEXLOR_BENCH(BM_PalPreviewDouble, "redraw_preview double, PAL view");
VEXLOR_BENCH(BM_PalPreviewSingle, "redraw_preview single, PAL view");
VEXLOR_BENCH(BM_ZoomWidest, "FormPaint 20x15");
VEXLOR_BENCH(BM_ZoomWidestReference, "FormPaint 20x15, reference image at 50%");
VEXLOR_BENCH(BM_SwapPages, "Swap Pages, both views redrawn");
