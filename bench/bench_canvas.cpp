// The zoom view as large as a window maximised on a 1920 x 1080 screen makes it: 1280 x 800
// screen pixels, the whole picture at 4x, beside the same work over the start's 640 x 480.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "navigation/navigation.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QLayout>
#include <QMouseEvent>

namespace {

constexpr int kWideWidth = 1280, kWideHeight = 800;

// The zoom window's room grown to a 1280 x 800 drawing area at `pixel_size` while it lives.
class WideView {
public:
    explicit WideView(int pixel_size) : start_(okno2->Host()->size()) {
        resize_to(start_ + QSize(kWideWidth - kViewWidth, kWideHeight - kViewHeight));
        okno2->zoom_to_size(pixel_size, 0, 0);
    }
    ~WideView() {
        resize_to(start_);
        okno2->set_zoom(4, 3);
    }
    bool wide() const { return okno2->frame().width == kWideWidth; }

private:
    // The window's layout gives the form its new size at once, not at the next event.
    static void resize_to(QSize size) {
        okno2->Host()->resize(size);
        okno2->Host()->layout()->activate();
    }
    QSize start_;
};

// The stripes clash in every cell: with the marks shown, a cross is drawn over each of the
// 1000 cells besides the pixels.
void redraw_wide(benchmark::State& state, bool clash_marks) {
    fill_with_stripes();
    const bool shown = desk().view().clashes;
    desk().change_view([&](ViewChoices& view) { view.clashes = clash_marks; });
    const WideView view(4);
    if (!view.wide()) state.SkipWithError("the view did not grow");
    for (auto _ : state) okno2->FormPaint();
    desk().change_view([&](ViewChoices& view) { view.clashes = shown; });
}

// The same with 64 sprites over the picture, against it without them.
void redraw_wide_with_sprites(benchmark::State& state, bool sprites) {
    fill_with_stripes();
    desk().change_picture("Sprites", [&](Document::Edit& edit) {
        edit.sprites() = sprites ? sixty_four_sprites() : SpriteSet{};
        return true;
    });
    const WideView view(4);
    for (auto _ : state) okno2->FormPaint();
    desk().document().reset();
}

// The same screen pixels written once.
void fill_wide(benchmark::State& state) {
    const WideView view(4);
    for (auto _ : state) {
        okno2->Canvas->Brush.Color = 0x123456;
        okno2->Canvas->FillRect({0, 0, kWideWidth, kWideHeight});
    }
}

// A cell to the right and back, each a move of the view drawn whole.
void scroll_by_a_cell(benchmark::State& state) {
    fill_with_stripes();
    bool right = false;
    for (auto _ : state) okno2->show_place({(right = !right) ? 4 : 0, 0});
}

void scroll_wide(benchmark::State& state) {
    const WideView view(8);
    scroll_by_a_cell(state);
}

void redraw_wide_at_8x(benchmark::State& state) {
    fill_with_stripes();
    const WideView view(8);
    for (auto _ : state) okno2->FormPaint();
}

void redraw_4x3(benchmark::State& state) {
    fill_with_stripes();
    for (auto _ : state) okno2->FormPaint();
}

// A move of the pointer with the button held, painting at every move.
void paint_moves(benchmark::State& state, std::uint8_t tool) {
    desk().document().reset();
    okno1->tool_mode = tool;
    const QPoint at(230, 190);
    QMouseEvent move(QEvent::MouseMove, at, okno2->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    for (auto _ : state) QApplication::sendEvent(okno2, &move);
    desk().end_stroke();
}

void paint_wide(benchmark::State& state, std::uint8_t tool) {
    const WideView view(4);
    paint_moves(state, tool);
}

void BM_RedrawWide(benchmark::State& s) { redraw_wide(s, false); }
void BM_RedrawWideMarked(benchmark::State& s) { redraw_wide(s, true); }
void BM_FillWide(benchmark::State& s) { fill_wide(s); }
void BM_RedrawSprites(benchmark::State& s) { redraw_wide_with_sprites(s, true); }
void BM_RedrawNoSprites(benchmark::State& s) { redraw_wide_with_sprites(s, false); }
void BM_ScrollWide(benchmark::State& s) { scroll_wide(s); }
void BM_RedrawWide8x(benchmark::State& s) { redraw_wide_at_8x(s); }
void BM_Scroll4x3(benchmark::State& s) { scroll_by_a_cell(s); }
void BM_Redraw4x3Start(benchmark::State& s) { redraw_4x3(s); }
void BM_FreePaint4x3(benchmark::State& s) { paint_moves(s, toolFreePaint); }
void BM_FreePaintWide(benchmark::State& s) { paint_wide(s, toolFreePaint); }
void BM_Pen4x3(benchmark::State& s) { paint_moves(s, toolPen); }
void BM_PenWide(benchmark::State& s) { paint_wide(s, toolPen); }
void BM_PutChar4x3(benchmark::State& s) { paint_moves(s, toolPutChar); }
void BM_PutCharWide(benchmark::State& s) { paint_wide(s, toolPutChar); }

} // namespace

VEXLOR_BENCH(BM_RedrawWide, "Canvas 1280x800 at 4x, full redraw");
VEXLOR_BENCH(BM_FillWide, "Canvas 1280x800 at 4x, full redraw/baseline");
VEXLOR_BENCH(BM_RedrawWideMarked, "Canvas 1280x800 at 4x, full redraw, every cell marked");
VEXLOR_BENCH(BM_RedrawSprites, "Canvas 1280x800 at 4x, 64 sprites");
VEXLOR_BENCH(BM_RedrawNoSprites, "Canvas 1280x800 at 4x, 64 sprites/baseline");
VEXLOR_BENCH(BM_Redraw4x3Start, "Canvas 640x480 at 4x3 cells, full redraw");
VEXLOR_BENCH(BM_ScrollWide, "Canvas 1280x800 at 8x, scroll by a cell");
VEXLOR_BENCH(BM_RedrawWide8x, "Canvas 1280x800 at 8x, full redraw");
VEXLOR_BENCH(BM_Scroll4x3, "Canvas 640x480 at 4x3 cells, scroll by a cell");
VEXLOR_BENCH(BM_FreePaint4x3, "Canvas 640x480 at 4x3 cells, free-paint move");
VEXLOR_BENCH(BM_FreePaintWide, "Canvas 1280x800 at 4x, free-paint move");
VEXLOR_BENCH(BM_Pen4x3, "Canvas 640x480 at 4x3 cells, pen move");
VEXLOR_BENCH(BM_PenWide, "Canvas 1280x800 at 4x, pen move");
VEXLOR_BENCH(BM_PutChar4x3, "Canvas 640x480 at 4x3 cells, Put char move");
VEXLOR_BENCH(BM_PutCharWide, "Canvas 1280x800 at 4x, Put char move");
