#include "bench/bench_support.h"
#include "desk/desk.h"
#include "tools/painter.h"
#include "tools/tool_table.h"

namespace {

struct Canvas {
    Desk desk;
    Document& document = desk.document();
    Painter& painter = desk.painter();
    UnseenView view;
    ToolContext context = desk.tools(view);
};

// Drags the tool from corner to corner of the whole picture with Shift held (filled), in one
// colour and then another, each drag one step.
void drag_over_whole_picture(benchmark::State& state, std::uint8_t tool_mode, Ink ink) {
    Canvas canvas;
    canvas.painter.ink = ink;
    const std::unique_ptr<Tool> tool = tool_row(tool_mode)->make();
    const PointerEvent press{{0, 0}, {0, 0}, MouseButton::Left, true, false, true, true};
    const PointerEvent release{{159, 199}, {159, 199}, MouseButton::Left, false, false, true, true};
    for (auto _ : state) {
        canvas.document.draw_color ^= 5;
        tool->press(canvas.context, press);
        tool->release(canvas.context, release);
    }
}

// The ellipse that fills the whole picture in a checkerboard of two colours.
void BM_FilledEllipseWholePicture(benchmark::State& state) {
    drag_over_whole_picture(state, toolEllipse, {{9}, 3, false, std::nullopt});
}

// A rectangle over the whole picture with a gradient from top to bottom.
void BM_GradientRectangleWholePicture(benchmark::State& state) {
    drag_over_whole_picture(state, toolRectangle, {{kPatterns - 1}, 3, false, std::nullopt});
}

// One tick of a held spray, its pixels shown as they land.
void BM_SprayTick(benchmark::State& state) {
    Canvas canvas;
    const std::unique_ptr<Tool> spray = tool_row(toolSpray)->make();
    spray->press(canvas.context, {{80, 100}, {80, 100}, MouseButton::Left, true});
    for (auto _ : state) spray->tick(canvas.context);
    canvas.desk.end_stroke();
}

} // namespace

VEXLOR_BENCH(BM_FilledEllipseWholePicture, "filled ellipse, whole picture, 8/16 dither");
VEXLOR_BENCH(BM_GradientRectangleWholePicture, "gradient rectangle, whole picture");
VEXLOR_BENCH(BM_SprayTick, "spray tick");
