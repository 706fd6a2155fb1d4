#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "zoom/zoom_window.h"

namespace {

void fresh_history() {
    desk().document().reset();
    for (int i = 0; i < 32000; ++i) okno2->picture[i] = std::uint8_t((i / 3) % 16);
    okno1->tool_zoom2Click();
}

// Undo then redo of one step, each with its redraw of the preview and the zoom view.
void undo_and_redo(benchmark::State& state, void (*make_step)()) {
    fresh_history();
    make_step();
    for (auto _ : state) {
        okno1->EditUndoClick();
        okno1->EditRedoClick();
    }
}

void clear_step() {
    Document::Edit edit = desk().open_edit("Clear");
    fill_block(edit.pixels(desk().document().whole()), desk().document().whole(), 0);
    edit.commit();
}

// As a stroke paints: each pixel shows as it lands, so the step redraws nothing.
void one_pixel_step() {
    Document::Edit edit = desk().open_edit("Paint");
    okno2->write_pixel(7, 5, okno2->read_pixel(7, 5) ^ 1);
    edit.commit();
}

// A stroke that wanders over the whole picture: 2000 pixels, ten in each row.
void large_stroke_step() {
    Document::Edit edit = desk().open_edit("Paint");
    for (int i = 0; i < 2000; ++i) {
        const int column = i * 37 % 160, row = i % 200;
        okno2->write_pixel(column, row, okno2->read_pixel(column, row) ^ 1);
    }
    edit.commit();
}

// What redrawing both views twice costs, as undo and redo each do once.
void BM_RedrawBothTwice(benchmark::State& state) {
    fresh_history();
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            okno1->redraw_preview(160, 200);
            okno2->FormPaint();
        }
    }
}

void BM_UndoRedoClear(benchmark::State& s) { undo_and_redo(s, clear_step); }
void BM_UndoRedoPixel(benchmark::State& s) { undo_and_redo(s, one_pixel_step); }
void BM_UndoRedoLargeStroke(benchmark::State& s) { undo_and_redo(s, large_stroke_step); }

// The memory a history of one-pixel strokes keeps for each.
void BM_OnePixelStepBytes(benchmark::State& state) {
    fresh_history();
    for (auto _ : state) one_pixel_step();
    state.counters["bytes/step"] =
        double(desk().document().history().bytes()) /
        double(std::max<std::size_t>(desk().document().history().steps(), 1));
}

// Clear without its question: the edit of the whole picture, its step and both views redrawn.
void BM_WholePictureStep(benchmark::State& state) {
    fresh_history();
    for (auto _ : state) clear_step(), okno2->picture[0] ^= 1;
}

} // namespace

VEXLOR_BENCH(BM_UndoRedoClear, "undo+redo Clear");
VEXLOR_BENCH(BM_RedrawBothTwice, "undo+redo Clear/baseline");
VEXLOR_BENCH(BM_UndoRedoPixel, "undo+redo 1-pixel stroke");
VEXLOR_BENCH(BM_RedrawBothTwice, "undo+redo 1-pixel stroke/baseline");
VEXLOR_BENCH(BM_OnePixelStepBytes, "record 1-pixel step");
VEXLOR_BENCH(BM_UndoRedoLargeStroke, "undo+redo 2000-pixel stroke");
VEXLOR_BENCH(BM_RedrawBothTwice, "undo+redo 2000-pixel stroke/baseline");
VEXLOR_BENCH(BM_WholePictureStep, "record whole-picture step");
