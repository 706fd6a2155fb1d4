#include "raster/raster.h"
#include "tools/shape.h"

namespace {

// Rectangle: the outline from corner to corner, or all of it with Shift held.
class Rectangle : public Shape {
    const char* label() const override { return "Rectangle"; }
    std::vector<PixelPos> pixels(PixelPos start, PixelPos end, bool shift) const override {
        return rectangle_pixels(start, end, shift);
    }
};

} // namespace

std::unique_ptr<Tool> rectangle_tool() { return std::make_unique<Rectangle>(); }
