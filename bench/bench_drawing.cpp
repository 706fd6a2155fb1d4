#include "app/Main.h"
#include "bench/bench_support.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include "preview/preview_window.h"
#include "zoom/zoom_window.h"
#include <QPainter>

namespace {

void zoom_paint(benchmark::State& state, bool fine) {
    fill_with_stripes();
    fine ? okno1->tool_zoom1Click() : okno1->tool_zoom2Click();
    for (auto _ : state) okno2->FormPaint();
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
    for (auto _ : state) benchmark::DoNotOptimize(display.show_picture(okno2->grid(), 2));
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

void BM_Zoom4x3(benchmark::State& s) { zoom_paint(s, false); }
void BM_Zoom8x6(benchmark::State& s) { zoom_paint(s, true); }
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
    for (int i = 0; i < 32000; ++i) okno2->picture[i] = std::uint8_t((i / 3) % 16);
}

VEXLOR_BENCH(BM_Zoom4x3, "FormPaint 4x3");
VEXLOR_BENCH(BM_ZoomArea, "FormPaint 4x3/baseline");
VEXLOR_BENCH(BM_Zoom4x3Naive, "FormPaint 4x3/naive");
VEXLOR_BENCH(BM_Zoom8x6, "FormPaint 8x6");
VEXLOR_BENCH(BM_ZoomArea, "FormPaint 8x6/baseline");
VEXLOR_BENCH(BM_Zoom8x6Naive, "FormPaint 8x6/naive");
VEXLOR_BENCH(BM_PreviewDouble, "redraw_preview double");
VEXLOR_BENCH(BM_PreviewDoubleArea, "redraw_preview double/baseline");
VEXLOR_BENCH(BM_PreviewDoubleNaive, "redraw_preview double/naive");
VEXLOR_BENCH(BM_PreviewSingle, "redraw_preview single");
VEXLOR_BENCH(BM_PreviewSingleArea, "redraw_preview single/baseline");
VEXLOR_BENCH(BM_PreviewSingleNaive, "redraw_preview single/naive");
VEXLOR_BENCH(BM_PalSignal, "PAL display of the picture");
VEXLOR_BENCH(BM_PalPreviewDouble, "redraw_preview double, PAL view");
VEXLOR_BENCH(BM_PalPreviewSingle, "redraw_preview single, PAL view");
