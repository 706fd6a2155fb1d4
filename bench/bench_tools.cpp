#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>

namespace {

void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, okno2->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(okno2, &event);
}

// One use of a tool from press to release, with every redraw and the step it records. The
// colour changes each time, so that each use paints all its pixels anew.
void use(benchmark::State& state, std::uint8_t tool, QPoint from, QPoint to) {
    okno1->tool_mode = tool;
    okno1->tool_zoom2Click();
    std::uint8_t color = 2;
    for (auto _ : state) {
        okno2->draw_color = color ^= 1;
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
}

void fresh_picture() { desk().document().reset(); }

void BM_FillWhole(benchmark::State& state) {
    fresh_picture();
    use(state, toolFill, {100, 50}, {100, 50});
}

// A 40 x 40 area inside a wall of another colour.
void BM_FillArea(benchmark::State& state) {
    fresh_picture();
    for (int i = 0; i < 42; ++i) {
        okno2->picture[0 * 160 + i] = okno2->picture[41 * 160 + i] = 11;
        okno2->picture[i * 160 + 0] = okno2->picture[i * 160 + 41] = 11;
    }
    use(state, toolFill, {100, 50}, {100, 50});
}

void BM_LineAcross(benchmark::State& state) {
    fresh_picture();
    use(state, toolLine, {20, 10}, {630, 470});
}

void BM_RectangleAcross(benchmark::State& state) {
    fresh_picture();
    use(state, toolRectangle, {20, 10}, {630, 470});
}

} // namespace

VEXLOR_BENCH(BM_FillWhole, "fill whole picture");
VEXLOR_BENCH(BM_FillArea, "fill 40 x 40 area");
VEXLOR_BENCH(BM_LineAcross, "line across the view");
VEXLOR_BENCH(BM_RectangleAcross, "rectangle across the view");
