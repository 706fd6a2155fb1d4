#include "raster/raster.h"
#include "tools/shape.h"
#include <algorithm>
#include <cstdlib>

namespace {

// The far corner of the box from `start` that looks square on screen, where a pixel is
// `pixel_aspect` times as wide as high: the larger side on screen wins, and the box keeps the
// direction of the drag.
PixelPos square_on_screen(PixelPos start, PixelPos end, int pixel_aspect) {
    const int columns = std::abs(end.column - start.column) + 1;
    const int rows = std::abs(end.row - start.row) + 1;
    const int height = std::max(rows, columns * pixel_aspect);
    const int width = std::max(1, (height + pixel_aspect / 2) / pixel_aspect);
    return {start.column + (end.column < start.column ? 1 - width : width - 1),
            start.row + (end.row < start.row ? 1 - height : height - 1)};
}

// Ellipse: the ellipse that fills the box from corner to corner, outlined, or filled with Shift
// held; with Ctrl held its box is kept square on screen, so that it shows as a circle.
class Ellipse : public Shape {
    const char* label() const override { return "Ellipse"; }
    bool filled(const PointerEvent& pointer) const override { return pointer.shift; }
    std::vector<PixelPos> pixels(const Painter& painter, PixelPos start,
                                 const PointerEvent& pointer) const override {
        const PixelPos end = pointer.ctrl
                                 ? square_on_screen(start, pointer.kept, painter.pixel_aspect())
                                 : pointer.kept;
        return ellipse_pixels(start, end, pointer.shift);
    }
};

} // namespace

std::unique_ptr<Tool> ellipse_tool() { return std::make_unique<Ellipse>(); }
