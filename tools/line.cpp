#include "raster/raster.h"
#include "tools/shape.h"

namespace {

// Line: the straight line from the pixel pressed to the pixel let go.
class Line : public Shape {
    const char* label() const override { return "Line"; }
    std::vector<PixelPos> pixels(const Painter&, PixelPos start,
                                 const PointerEvent& pointer) const override {
        return line_pixels(start, pointer.kept);
    }
};

} // namespace

std::unique_ptr<Tool> line_tool() { return std::make_unique<Line>(); }
