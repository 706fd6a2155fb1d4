#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "display/pal_view.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The surface pixels one event writes: zoomed pixels, preview blocks, analysis swatches.
constexpr int kZoomPixel = 40 * 20, kBand = 32 * 4 * 2, kSwatches = 4 * 26 * 16;
constexpr int kFreePaintPixels = kZoomPixel + kBand + 2 * kSwatches;
constexpr int kPutCharPixels = 32 * (kZoomPixel + kBand + kSwatches) + kSwatches;

void drag(benchmark::State& state, std::uint8_t tool, std::uint8_t mode = fmtMulticolor) {
    desk().document().reset();
    if (mode != fmtMulticolor) okno1->mode_item(mode)->trigger();
    okno1->tool_mode = tool;
    okno1->tool_zoom2Click();
    const QPoint at(230, 190);
    QMouseEvent move(QEvent::MouseMove, at, okno2->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    for (auto _ : state) QApplication::sendEvent(okno2, &move);
    desk().end_stroke();
    okno1->mode_item(fmtMulticolor)->trigger();
    state.counters["events/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void fill_pixels(benchmark::State& state, int pixels) {
    const int width = okno2->ClientWidth();
    for (auto _ : state) {
        okno2->Canvas->Brush.Color = 0x123456;
        okno2->Canvas->FillRect({0, 0, width, pixels / width});
    }
}

// Inside a stroke's edit, as painting plots.
void plot(benchmark::State& state) {
    desk().document().reset();
    Document::Edit edit = desk().open_edit("Paint");
    for (auto _ : state) benchmark::DoNotOptimize(okno2->plot_pixel(fmtMulticolor, 5, 9, 2));
}

// The canvas calls of one event, each through a painter of its own.
struct NaiveCanvas {
    QImage image{783, 520, QImage::Format_RGB32};
    void rect(int w, int h) {
        QPainter p(&image);
        p.setPen(QColor(0x55, 0x55, 0x55));
        p.setBrush(QColor(0xCC, 0, 0));
        p.drawRect(80, 40, w - 1, h - 1);
    }
    void fill(int w, int h) {
        QPainter p(&image);
        p.fillRect(42, 28, w, h, QColor(0xCC, 0, 0));
    }
    void swatches() {
        for (int i = 0; i < 4; ++i) rect(26, 16);
    }
    void plot() {
        swatches();
        for (int i = 0; i < 32; ++i) fill(4, 2);
    }
};

void naive(benchmark::State& state, int plots) {
    NaiveCanvas canvas;
    for (auto _ : state) {
        for (int i = 0; i < plots; ++i) {
            canvas.plot();
            canvas.rect(40, 20);
        }
        canvas.swatches();
    }
}

void BM_PlotNaive(benchmark::State& s) {
    NaiveCanvas canvas;
    for (auto _ : s) canvas.plot();
}
void BM_FreePaintNaive(benchmark::State& s) { naive(s, 1); }
void BM_PutCharNaive(benchmark::State& s) { naive(s, 32); }
// With the PAL display on in the preview and the zoom view: each plot redraws what it changes
// there.
void with_pal_view(benchmark::State& state, std::uint8_t tool) {
    show_pal_view({true, true});
    drag(state, tool);
    show_pal_view({});
}

void BM_FreePaint(benchmark::State& s) { drag(s, 1); }
void BM_FreePaintHires(benchmark::State& s) { drag(s, 1, fmtHires); }
void BM_PutCharHires(benchmark::State& s) { drag(s, 2, fmtHires); }
void BM_FreePaintPal(benchmark::State& s) { with_pal_view(s, 1); }
void BM_PutCharPal(benchmark::State& s) { with_pal_view(s, 2); }
void BM_FreePaintArea(benchmark::State& s) { fill_pixels(s, kFreePaintPixels); }
void BM_PutChar(benchmark::State& s) { drag(s, 2); }
void BM_PutCharArea(benchmark::State& s) { fill_pixels(s, kPutCharPixels); }
void BM_Plot(benchmark::State& s) { plot(s); }
void BM_PlotArea(benchmark::State& s) { fill_pixels(s, kBand + kSwatches); }

} // namespace

VEXLOR_BENCH(BM_Plot, "plot_pixel");
VEXLOR_BENCH(BM_PlotArea, "plot_pixel/baseline");
VEXLOR_BENCH(BM_PlotNaive, "plot_pixel/naive");
VEXLOR_BENCH(BM_FreePaint, "free-paint move");
VEXLOR_BENCH(BM_FreePaintArea, "free-paint move/baseline");
VEXLOR_BENCH(BM_FreePaintNaive, "free-paint move/naive");
VEXLOR_BENCH(BM_FreePaintPal, "free-paint move, PAL view");
VEXLOR_BENCH(BM_FreePaintHires, "free-paint move, hires");
VEXLOR_BENCH(BM_PutChar, "Put char move");
VEXLOR_BENCH(BM_PutCharArea, "Put char move/baseline");
VEXLOR_BENCH(BM_PutCharNaive, "Put char move/naive");
VEXLOR_BENCH(BM_PutCharPal, "Put char move, PAL view");
VEXLOR_BENCH(BM_PutCharHires, "Put char move, hires");
