#include "app/Main.h"
#include "bench/bench_support.h"
#include "navigation/navigation.h"
#include "preview/preview_window.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>

namespace {

// The whole view drawn again where it stands, with the grids the editor starts with.
void redraw_at(benchmark::State& state, std::size_t level) {
    fill_with_stripes();
    okno2->zoom_to(level, 0, 0);
    okno2->show_place({40, 40});
    for (auto _ : state) okno2->FormPaint();
    okno2->zoom_to(0, 0, 0);
}

// A drag over the preview that moves the view every step: the view is placed, drawn again, and
// the preview drawn again with the frame at its new place.
void map_drag(benchmark::State& state, std::size_t level) {
    fill_with_stripes();
    okno2->zoom_to(level, 0, 0);
    okno1->preview_size = 2;
    const QPoint from(200, 150), to(440, 300);
    QMouseEvent press(QEvent::MouseButtonPress, from, okno_prv->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(okno_prv, &press);
    const auto move_to = [](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, okno_prv->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(okno_prv, &move);
    };
    move_to(to);
    const ViewPlace there = okno2->place();
    move_to(from);
    if (okno2->place() == there) state.SkipWithError("the drag does not move the view");
    bool forth = false;
    for (auto _ : state) move_to((forth = !forth) ? to : from);
    QMouseEvent release(QEvent::MouseButtonRelease, from, okno_prv->mapToGlobal(from),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(okno_prv, &release);
    okno2->zoom_to(0, 0, 0);
}

void BM_Redraw4x3(benchmark::State& s) { redraw_at(s, 0); }
void BM_Redraw8x6(benchmark::State& s) { redraw_at(s, 1); }
void BM_Redraw16x12(benchmark::State& s) { redraw_at(s, 2); }
void BM_Redraw20x15(benchmark::State& s) { redraw_at(s, 3); }
void BM_MapDrag4x3(benchmark::State& s) { map_drag(s, 0); }
void BM_MapDrag20x15(benchmark::State& s) { map_drag(s, 3); }

} // namespace

VEXLOR_BENCH(BM_Redraw4x3, "Zoom view 4x3 cells");
VEXLOR_BENCH(BM_Redraw8x6, "Zoom view 8x6 cells");
VEXLOR_BENCH(BM_Redraw16x12, "Zoom view 16x12 cells");
VEXLOR_BENCH(BM_Redraw20x15, "Zoom view 20x15 cells");
VEXLOR_BENCH(BM_MapDrag4x3, "Map drag step at 4x3 cells");
VEXLOR_BENCH(BM_MapDrag20x15, "Map drag step at 20x15 cells");
