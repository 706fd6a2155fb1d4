#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "raster/raster.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>

namespace {

// A document with the stripes' colours to paint over, and what paints it.
struct Painting {
    Document document;
    Painter painter{document};
    Painting() {
        for (int row = 0; row < 200; ++row)
            for (int column = 0; column < 160; ++column)
                document.picture[std::size_t(row * 160 + column)] =
                    std::uint8_t(column / 4 % 3 + 1);
    }
    // Each painting is one step; the colour changes each time, so that it paints anew.
    template <class Paint> void paint_steps(benchmark::State& state, Paint paint) {
        std::uint8_t color = 2;
        for (auto _ : state) {
            Document::Edit edit(document, "Paint");
            paint(color ^= 1);
            edit.commit();
            benchmark::DoNotOptimize(painter.take_report());
        }
    }
    void one_by_one(benchmark::State& state, const std::vector<InkedPixel>& pixels) {
        paint_steps(state, [&](std::uint8_t color) {
            for (const InkedPixel& pixel : pixels) painter.paint(pixel.at, color);
        });
    }
};

PixelBlock brush_32() {
    PixelBlock block{32, 32, {}};
    for (int i = 0; i < 32 * 32; ++i) block.pixels.push_back(std::uint8_t(1 + i % 3));
    return block;
}

constexpr PixelPos kStampAt{80, 100};

void BM_BrushStamp(benchmark::State& state) {
    Painting canvas;
    canvas.painter.pen.brush.emplace(brush_32(), 2);
    canvas.painter.pen.brush->opaque = true;
    canvas.paint_steps(
        state, [&](std::uint8_t color) { canvas.painter.paint(kStampAt, color, Tip::Shape); });
}

void BM_BrushStampBaseline(benchmark::State& state) {
    Painting canvas;
    canvas.painter.pen.brush.emplace(brush_32(), 2);
    canvas.painter.pen.brush->opaque = true;
    canvas.one_by_one(state, canvas.painter.pixels_at({kStampAt}, 0, Tip::Shape));
}

// 100 moves of 3 pixels across and 2 down, zigzagging.
std::vector<PixelPos> drag_path() {
    std::vector<PixelPos> path{{10, 20}};
    for (int move = 0; move < 100; ++move)
        path.push_back({path.back().column + (move / 25 % 2 ? -3 : 3), path.back().row + 1});
    return path;
}

void BM_PenDrag(benchmark::State& state) {
    Painting canvas;
    canvas.painter.pen = {PenShape::Round, 8, std::nullopt};
    const std::vector<PixelPos> path = drag_path();
    canvas.paint_steps(state, [&](std::uint8_t color) {
        for (std::size_t i = 1; i < path.size(); ++i)
            canvas.painter.paint_line(path[i - 1], path[i], color, Tip::Stamp);
    });
}

void BM_PenDragBaseline(benchmark::State& state) {
    Painting canvas;
    canvas.painter.pen = {PenShape::Round, 8, std::nullopt};
    std::vector<PixelPos> covered;
    const std::vector<PixelPos> path = drag_path();
    for (std::size_t i = 1; i < path.size(); ++i) {
        const std::vector<PixelPos> line = line_pixels(path[i - 1], path[i]);
        covered.insert(covered.end(), line.begin(), line.end());
    }
    canvas.one_by_one(state, canvas.painter.pixels_at(covered, 0, Tip::Stamp));
}

void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, okno2->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(okno2, &event);
}

// In the zoom view at 20 x 15 cells: one move of a drag with the 8-pixel round pen, with its
// painting, the outline's redraw and the swatches.
void BM_PenMoveInView(benchmark::State& state) {
    desk().document().reset();
    okno1->tool_pen->click();
    desk().painter().pen = {PenShape::Round, 8, std::nullopt};
    okno1->ViewZoom20x15Click();
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const int x = 100 + (step++ % 200) * 2;
        mouse(QEvent::MouseMove, {x, 100 + step % 50}, Qt::NoButton, Qt::LeftButton);
    }
    mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    desk().painter().pen = {};
}

// The preview of Rotate and Scale: a 64 x 64 brush turned or scaled anew from its pixels, and
// what it would stamp under the pointer (what the zoom view shows there).
template <class Change> void free_change(benchmark::State& state, Change change) {
    Painting canvas;
    PixelBlock block{64, 64, {}};
    for (int i = 0; i < 64 * 64; ++i) block.pixels.push_back(std::uint8_t(1 + i % 3));
    Brush& brush = canvas.painter.pen.brush.emplace(std::move(block), 2);
    int step = 0;
    for (auto _ : state) {
        change(brush, ++step % 360);
        benchmark::DoNotOptimize(canvas.painter.pixels_at({kStampAt}, 1, Tip::Stamp));
    }
}

void BM_BrushRotate(benchmark::State& state) {
    free_change(state, [](Brush& brush, int step) { brush.rotate_to(step); });
}

void BM_BrushScale(benchmark::State& state) {
    free_change(state, [](Brush& brush, int step) { brush.scale_to(0.5 + step / 240.0, 1.2); });
}

} // namespace

VEXLOR_BENCH(BM_BrushRotate, "brush 64 x 64 rotated, with its stamp");
VEXLOR_BENCH(BM_BrushScale, "brush 64 x 64 scaled, with its stamp");
VEXLOR_BENCH(BM_BrushStamp, "brush stamp 32 x 32");
VEXLOR_BENCH(BM_BrushStampBaseline, "brush stamp 32 x 32/baseline");
VEXLOR_BENCH(BM_PenDrag, "round pen 8 drag, 100 moves");
VEXLOR_BENCH(BM_PenDragBaseline, "round pen 8 drag, 100 moves/baseline");
VEXLOR_BENCH(BM_PenMoveInView, "round pen 8 move in zoom view");
