#include "bench/bench_support.h"
#include "raster/raster.h"
#include "tools/painter.h"
#include "tools/tool_table.h"

namespace {

struct UnseenView : ToolView {
    void draw_pixel(PixelPos, std::uint8_t) override {}
    void redraw() override {}
    void set_cursor(PixelPos) override {}
    void show_tip(std::vector<InkedPixel>, bool) override {}
    void choose_colour(std::uint8_t) override {}
};

struct Canvas {
    std::uint8_t mode = fmtMulticolor;
    Document document{mode};
    Painter painter{document};
    UnseenView view;
    Stroke stroke{document};
    ToolContext context{document, view, painter, stroke};
};

// The ellipse that fills the whole picture, filled at the release in a checkerboard of two
// colours: working out its pixels and painting them, as one step.
void BM_FilledEllipseWholePicture(benchmark::State& state) {
    Canvas canvas;
    canvas.painter.ink = {{9}, 3, false, std::nullopt};
    std::uint8_t color = 1;
    for (auto _ : state) {
        Document::Edit edit(canvas.document, "Ellipse");
        canvas.painter.paint_quietly(ellipse_pixels({0, 0}, {159, 199}, true), color ^= 3);
        edit.commit();
    }
}

// One tick of a held spray, its pixels shown as they land.
void BM_SprayTick(benchmark::State& state) {
    Canvas canvas;
    const std::unique_ptr<Tool> spray = tool_row(toolSpray)->make();
    spray->press(canvas.context, {{80, 100}, {80, 100}, MouseButton::Left, true});
    for (auto _ : state) spray->tick(canvas.context);
    canvas.stroke.end();
}

} // namespace

VEXLOR_BENCH(BM_FilledEllipseWholePicture, "filled ellipse, whole picture, 8/16 dither");
VEXLOR_BENCH(BM_SprayTick, "spray tick");
