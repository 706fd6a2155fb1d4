#include "selection/block.h"
#include <algorithm>

PixelArea area_between(PixelPos corner, PixelPos opposite) {
    const int left = std::max(std::min(corner.column, opposite.column), 0);
    const int top = std::max(std::min(corner.row, opposite.row), 0);
    const int right = std::min(std::max(corner.column, opposite.column), kPictureColumns - 1);
    const int bottom = std::min(std::max(corner.row, opposite.row), kPictureRows - 1);
    if (left > right || top > bottom) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

PixelArea snapped_to_cells(const PixelArea& area) {
    if (area.empty()) return area;
    const int left = area.left & ~3, top = area.top & ~7;
    const int right = area.right() | 3, bottom = area.bottom() | 7;
    return area_between({left, top}, {right, bottom});
}

PixelBlock copy_block(const std::uint8_t* picture, const PixelArea& area) {
    PixelBlock block{area.width, area.height, {}};
    block.pixels.reserve(std::size_t(area.width) * std::size_t(area.height));
    for (int row = area.top; row <= area.bottom(); ++row) {
        const std::uint8_t* line = picture + row * kPictureColumns;
        block.pixels.insert(block.pixels.end(), line + area.left, line + area.right() + 1);
    }
    return block;
}

void fill_block(std::uint8_t* picture, const PixelArea& area, std::uint8_t color) {
    for (int row = area.top; row <= area.bottom(); ++row) {
        std::uint8_t* line = picture + row * kPictureColumns;
        std::fill(line + area.left, line + area.right() + 1, color);
    }
}

void flip_horizontally(std::uint8_t* picture, const PixelArea& area) {
    for (int row = area.top; row <= area.bottom(); ++row) {
        std::uint8_t* line = picture + row * kPictureColumns;
        std::reverse(line + area.left, line + area.right() + 1);
    }
}

void flip_vertically(std::uint8_t* picture, const PixelArea& area) {
    for (int upper = area.top, lower = area.bottom(); upper < lower; ++upper, --lower)
        std::swap_ranges(picture + upper * kPictureColumns + area.left,
                         picture + upper * kPictureColumns + area.right() + 1,
                         picture + lower * kPictureColumns + area.left);
}

void paste_block(PictureModel& model, std::uint8_t format, const PixelBlock& block, PixelPos at,
                 bool exact) {
    const PixelArea target =
        area_between(at, {at.column + block.width - 1, at.row + block.height - 1});
    if (block.width <= 0 || block.height <= 0 || target.empty()) return;
    for (int row = target.top; row <= target.bottom(); ++row)
        for (int column = target.left; column <= target.right(); ++column) {
            const std::uint8_t color = block.at(column - at.column, row - at.row);
            if (exact)
                model.write_pixel(std::uint32_t(column), std::uint32_t(row), color);
            else
                model.plot_pixel(format, column, row, color);
        }
}
