#include "selection/block.h"
#include <algorithm>
#include <array>

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

namespace {

// How many pixels of each colour every unit of the colour limit holds: the 4 x 8 cells, or in
// FLI the 4 x 1 rows.
class UnitColours {
public:
    UnitColours(const std::uint8_t* picture, int unit_rows)
        : unit_rows_(unit_rows), counts_(std::size_t(kPictureBytes / (4 * unit_rows))) {
        for (int row = 0; row < kPictureRows; ++row)
            for (int column = 0; column < kPictureColumns; ++column)
                ++counts_[unit(column, row)][picture[row * kPictureColumns + column] & 0x0F];
    }

    // How many colours besides `back` the unit of the pixel holds.
    int colours(int column, int row, std::uint8_t back) const {
        const auto& count = counts_[unit(column, row)];
        int colours = 0;
        for (int i = 0; i < 16; ++i) colours += i != back && count[i] > 0;
        return colours;
    }

    // Whether `color` written over `old` brings no new colour besides `back` into the unit, or
    // leaves it with at most three.
    bool allows(int column, int row, std::uint8_t old, std::uint8_t color,
                std::uint8_t back) const {
        const auto& count = counts_[unit(column, row)];
        if (color == back || count[color] > 0) return true;
        const int after = colours(column, row, back) + 1 - (old != back && count[old] == 1);
        return after <= 3;
    }

    void write(int column, int row, std::uint8_t old, std::uint8_t color) {
        auto& count = counts_[unit(column, row)];
        --count[old];
        ++count[color];
    }

private:
    std::size_t unit(int column, int row) const {
        return std::size_t(row / unit_rows_ * (kPictureColumns / 4) + column / 4);
    }
    int unit_rows_;
    std::vector<std::array<std::uint8_t, 16>> counts_;
};

} // namespace

// Where the whole block leaves a unit within the limit, all its pixels there land (a cell
// moved whole lands whole, whatever lay under it); elsewhere each pixel is asked in turn.
void paste_block(PictureModel& model, std::uint8_t format, const PixelBlock& block, PixelPos at,
                 bool exact, const PastePlot& plot) {
    const PixelArea target =
        area_between(at, {at.column + block.width - 1, at.row + block.height - 1});
    if (block.width <= 0 || block.height <= 0 || target.empty()) return;
    std::uint8_t* picture = model.picture.data();
    const std::uint8_t back = model.back_color;
    auto each_pixel = [&](auto visit) {
        for (int row = target.top; row <= target.bottom(); ++row)
            for (int column = target.left; column <= target.right(); ++column)
                visit(column, row, picture[row * kPictureColumns + column],
                      std::uint8_t(block.at(column - at.column, row - at.row) & 0x0F));
    };
    UnitColours now(picture, format == fmtFli ? 1 : 8);
    UnitColours pasted = now;
    each_pixel([&](int column, int row, std::uint8_t old, std::uint8_t color) {
        pasted.write(column, row, old & 0x0F, color);
    });
    each_pixel([&](int column, int row, std::uint8_t& pixel, std::uint8_t color) {
        const std::uint8_t old = pixel & 0x0F;
        if (!exact && pasted.colours(column, row, back) > 3) {
            if (plot) return plot({column, row}, color);
            if (!now.allows(column, row, old, color, back)) return;
        }
        now.write(column, row, old, color);
        pixel = color;
    });
}
