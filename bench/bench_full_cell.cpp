#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "clashes/clash_fix.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <random>

namespace {

PictureBytes noise() {
    std::mt19937 random(1);
    PictureBytes picture{};
    for (auto& pixel : picture) pixel = std::uint8_t(random() % 16);
    return picture;
}

// Every one of the 1000 cells holds more colours than a C64 shows.
void BM_FixColourClashes(benchmark::State& state) {
    const PictureBytes before = noise();
    for (auto _ : state) {
        PictureBytes picture = before;
        benchmark::DoNotOptimize(mode_of(fmtMulticolor)
                                     .fix_clashes(multicolor_grid(picture), 0,
                                                  lab_palette(PaletteId::Vexlor),
                                                  {0, 0, kPictureColumns, kPictureRows}));
    }
}

// A free-paint stroke of 100 moves in colour 9 over the view's twelve full cells, each with
// 2 5 7 in its top row: most moves land on a background pixel of a full cell.
void stroke(benchmark::State& state, FullCell choice) {
    constexpr std::uint8_t kColours[] = {2, 5, 7};
    PictureBytes full{};
    for (int column = 0; column < kPictureColumns; column += 4)
        for (int row = 0; row < kPictureRows; row += 8)
            for (int i = 0; i < 3; ++i)
                full[std::size_t(row * kPictureColumns + column + i)] = kColours[i];
    okno1->tool_mode = toolFreePaint;
    okno1->tool_zoom2Click();
    desk().painter().full_cell = choice;
    okno2->draw_color = 9;
    std::vector<QPoint> path;
    for (int i = 0; i < 100; ++i) path.emplace_back(20 + 40 * (i % 16), 10 + 20 * (i / 16 * 3 + 1));
    for (auto _ : state) {
        state.PauseTiming();
        desk().end_stroke();
        std::copy(full.begin(), full.end(), okno2->picture.begin());
        state.ResumeTiming();
        for (const QPoint& at : path) {
            QMouseEvent move(QEvent::MouseMove, at, okno2->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(okno2, &move);
        }
    }
    desk().end_stroke();
    desk().painter().full_cell = FullCell::KeepColours;
}

void BM_StrokeKeep(benchmark::State& s) { stroke(s, FullCell::KeepColours); }
void BM_StrokeRefuse(benchmark::State& s) { stroke(s, FullCell::RefuseFourth); }
void BM_StrokeReplace(benchmark::State& s) { stroke(s, FullCell::ReplaceColour); }
void BM_StrokeNearest(benchmark::State& s) { stroke(s, FullCell::NearestColour); }
void BM_StrokeFreely(benchmark::State& s) { stroke(s, FullCell::PaintFreely); }

} // namespace

VEXLOR_BENCH(BM_FixColourClashes, "Fix Colour Clashes, 1000 cells over");
VEXLOR_BENCH(BM_StrokeKeep, "100-move stroke, Keep Its Colours");
VEXLOR_BENCH(BM_StrokeRefuse, "100-move stroke, Refuse a Fourth Colour");
VEXLOR_BENCH(BM_StrokeReplace, "100-move stroke, Replace the Colour Under the Pointer");
VEXLOR_BENCH(BM_StrokeNearest, "100-move stroke, Use the Nearest Colour of the Cell");
VEXLOR_BENCH(BM_StrokeFreely, "100-move stroke, Paint Freely");
