#include "app/Main.h"
#include "app/editor_desk.h"
#include "background/background.h"
#include "bench/bench_support.h"
#include "zoom/zoom_window.h"

namespace {

// Half the pixels hold the background, spread over every cell, so that a change recolours
// 16000 pixels and the history keeps them all.
void half_background() {
    desk().document().reset();
    for (int i = 0; i < 32000; ++i) okno2->picture[i] = i % 2 ? std::uint8_t(i / 7 % 3 + 1) : 0;
    okno1->tool_zoom2Click();
}

void change_background(std::uint8_t color) {
    desk().change_picture("Background Colour",
                          [=](Document::Edit& edit) { return set_background(edit, color, true); });
}

// What one full redraw of both views costs: the baseline.
void BM_RedrawBoth(benchmark::State& state) {
    half_background();
    for (auto _ : state) okno1->redraw_views();
}

// The background goes back and forth between black and blue: each is a full change.
void BM_BackgroundChange(benchmark::State& state) {
    half_background();
    std::uint8_t color = 6;
    for (auto _ : state) {
        change_background(color);
        color ^= 6;
    }
}

// Each undo is timed alone; the redo that makes the next one possible is not.
void BM_BackgroundUndo(benchmark::State& state) {
    half_background();
    change_background(6);
    for (auto _ : state) {
        okno1->EditUndoClick();
        state.PauseTiming();
        okno1->EditRedoClick();
        state.ResumeTiming();
    }
}

} // namespace

VEXLOR_BENCH(BM_BackgroundChange, "Background Colour");
VEXLOR_BENCH(BM_RedrawBoth, "Background Colour/baseline");
VEXLOR_BENCH(BM_BackgroundUndo, "undo Background Colour");
VEXLOR_BENCH(BM_RedrawBoth, "undo Background Colour/baseline");
