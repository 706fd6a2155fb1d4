#include "app/startup.h"
#include "bench/bench_support.h"
#include "platform/tapplication.h"
#include "zoom/zoom_window.h"
#include <QMainWindow>
#include <QMdiArea>

namespace {

// From nothing to the zoom view's first paint: the six windows built, the frame shown.
void BM_StartUp(benchmark::State& state) {
    for (auto _ : state) {
        Application->ReleaseForms();
        create_windows();
        Application->MainForm()->ShowMaximized();
        while (okno2->PaintCount() == 0) QApplication::processEvents();
    }
}

// An empty frame with an MDI area, shown and painted once.
void BM_EmptyFrame(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow frame;
        frame.setCentralWidget(new QMdiArea);
        frame.showMaximized();
        QApplication::processEvents();
    }
}

} // namespace

VEXLOR_BENCH(BM_StartUp, "start-up to first paint");
VEXLOR_BENCH(BM_EmptyFrame, "start-up to first paint/baseline");
