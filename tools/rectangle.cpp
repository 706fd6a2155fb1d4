#include "raster/raster.h"
#include "tools/shape.h"

namespace {

// Rectangle: the outline from corner to corner, or all of it with Shift held.
class Rectangle : public Shape {
    const char* label() const override { return "Rectangle"; }
    bool filled(const PointerEvent& pointer) const override { return pointer.shift; }
    std::vector<PixelPos> pixels(const Painter&, PixelPos start,
                                 const PointerEvent& pointer) const override {
        return rectangle_pixels(start, pointer.kept, pointer.shift);
    }
};

} // namespace

std::unique_ptr<Tool> rectangle_tool() { return std::make_unique<Rectangle>(); }
