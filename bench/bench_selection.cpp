#include "app/Main.h"
#include "app/editor_desk.h"
#include "bench/bench_support.h"
#include "desk/desk.h"
#include "selection/pixel_selection.h"
#include "tools/tool_table.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMouseEvent>
#include <cmath>

namespace {

PixelBlock striped_block() {
    PixelBlock block{kPictureColumns, kPictureRows, std::vector<std::uint8_t>(kPictureBytes)};
    for (int i = 0; i < kPictureBytes; ++i) block.pixels[std::size_t(i)] = std::uint8_t(i % 3 + 1);
    return block;
}

void click(QPoint at, Qt::KeyboardModifiers keys) {
    for (auto [type, button, held] :
         {std::tuple{QEvent::MouseButtonPress, Qt::LeftButton, Qt::MouseButtons(Qt::LeftButton)},
          std::tuple{QEvent::MouseButtonRelease, Qt::LeftButton, Qt::MouseButtons()}}) {
        QMouseEvent event(type, at, okno2->mapToGlobal(at), button, held, keys);
        QApplication::sendEvent(okno2, &event);
    }
}

// A whole-picture block put down over the picture, with the step it records and both views
// redrawn: each time the block and the picture differ in every cell.
void paste_whole(benchmark::State& state, Qt::KeyboardModifiers keys) {
    PixelBlock block = striped_block();
    desk().document().reset();
    for (auto _ : state) {
        for (auto& pixel : block.pixels) pixel ^= 8;
        desk().document().float_block(block, {0, 0});
        click({20, 10}, keys);
    }
    desk().document().select(std::nullopt);
}

// The paste alone, through the colour limit, as the model does it.
void BM_PasteWholeModel(benchmark::State& state) {
    PictureModel model;
    PixelBlock block = striped_block();
    for (auto _ : state) {
        for (auto& pixel : block.pixels) pixel ^= 8;
        paste_block({model.picture.data(), kPictureColumns, kPictureRows}, model.back_color,
                    mode_of(fmtMulticolor), block, {0, 0}, false);
        benchmark::DoNotOptimize(model.picture.data());
    }
}

void BM_PasteWhole(benchmark::State& state) { paste_whole(state, Qt::NoModifier); }
void BM_PasteWholeExact(benchmark::State& state) { paste_whole(state, Qt::ShiftModifier); }

} // namespace

VEXLOR_BENCH(BM_PasteWholeModel, "paste whole picture, model only");
VEXLOR_BENCH(BM_PasteWhole, "paste whole picture");
VEXLOR_BENCH(BM_PasteWholeExact, "paste whole picture, exact");

namespace {

// A lasso of 2000 points round most of the picture, wavering in and out so that its edges cross
// every row many times.
std::vector<PixelPos> wavering_outline() {
    std::vector<PixelPos> outline;
    constexpr int kPoints = 2000;
    for (int i = 0; i < kPoints; ++i) {
        const double angle = 2 * 3.14159265358979 * i / kPoints;
        const double radius = 0.8 + 0.15 * std::sin(40 * angle);
        outline.push_back(
            {int(80 + 78 * radius * std::cos(angle)), int(100 + 98 * radius * std::sin(angle))});
    }
    return outline;
}

// The outline closed into the selection.
void BM_LassoClose(benchmark::State& state) {
    const std::vector<PixelPos> outline = wavering_outline();
    for (auto _ : state) benchmark::DoNotOptimize(PixelSelection::lasso(outline, {0, 0, 160, 200}));
}

struct NoView : ToolView {
    void draw_pixel(PixelPos, std::uint8_t) override {}
    void redraw() override {}
    void set_cursor(PixelPos) override {}
    void show_tip(std::vector<InkedPixel>, bool) override {}
    void choose_colour(std::uint8_t) override {}
};

// The selection tool drawing the same outline, a move a point, on a desk of its own: the time
// of one move, its last point and the release's closing shared among the moves.
void BM_LassoDrag(benchmark::State& state) {
    const std::vector<PixelPos> outline = wavering_outline();
    Desk desk;
    NoView view;
    ToolContext context = desk.tools(view);
    desk.choose_select_shape(SelectShape::Lasso);
    const std::unique_ptr<Tool> tool = tool_row(toolSelect)->make();
    const auto event = [](PixelPos p, MouseButton button, bool held) {
        return PointerEvent{p, p, button, held, false, false, true};
    };
    for (auto _ : state) {
        tool->press(context, event(outline.front(), MouseButton::Left, true));
        for (PixelPos point : outline) tool->move(context, event(point, MouseButton::None, true));
        tool->release(context, event(outline.back(), MouseButton::Left, false));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(outline.size()));
}

} // namespace

VEXLOR_BENCH(BM_LassoClose, "lasso of 2000 points closed");
VEXLOR_BENCH(BM_LassoDrag, "lasso of 2000 points drawn and closed, a move a point");
