#include "tools/pen.h"
#include <algorithm>

void Pen::make_plain() {
    size = 1;
    brush.reset();
}

void Pen::resize(int step) {
    size = std::clamp(size + step, 1, kPenSizes);
    brush.reset();
}

// A round pen is the ellipse that fills its box on screen, tested at each pixel's middle.
std::vector<StampPixel> pen_stamp(PenShape shape, int size, int pixel_aspect, std::uint8_t color) {
    const int rows = size;
    const int columns = std::max(1, (size + pixel_aspect / 2) / pixel_aspect);
    const double half_across = columns / 2.0, half_down = rows / 2.0;
    std::vector<StampPixel> stamp;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const double x = (column + 0.5 - half_across) / half_across;
            const double y = (row + 0.5 - half_down) / half_down;
            if (shape == PenShape::Round && x * x + y * y > 1.0) continue;
            stamp.push_back({column - columns / 2, row - rows / 2, color});
        }
    return stamp;
}

std::vector<StampPixel> brush_stamp(const Brush& brush, bool own_colours, std::uint8_t color,
                                    std::uint8_t back) {
    const PixelBlock& block = brush.block();
    const std::uint8_t transparent = brush.transparent.value_or(back);
    std::vector<StampPixel> stamp;
    for (int row = 0; row < block.height; ++row)
        for (int column = 0; column < block.width; ++column) {
            const std::uint8_t pixel = block.at(column, row);
            if (!block.holds(column, row) || (pixel == transparent && !brush.opaque)) continue;
            stamp.push_back(
                {column - block.width / 2, row - block.height / 2, own_colours ? pixel : color});
        }
    return stamp;
}
