#include "selection/block.h"
#include "c64/colour_count.h"
#include <algorithm>
#include <array>

PixelArea area_between(PixelPos corner, PixelPos opposite, const PixelArea& within) {
    const int left = std::max(std::min(corner.column, opposite.column), within.left);
    const int top = std::max(std::min(corner.row, opposite.row), within.top);
    const int right = std::min(std::max(corner.column, opposite.column), within.right());
    const int bottom = std::min(std::max(corner.row, opposite.row), within.bottom());
    if (left > right || top > bottom) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

PixelArea snapped_to_cells(const PixelArea& area, CellSize cell, const PixelArea& within) {
    if (area.empty()) return area;
    const PixelArea first = block_at({area.left, area.top}, cell);
    const PixelArea last = block_at({area.right(), area.bottom()}, cell);
    return area_between({first.left, first.top}, {last.right(), last.bottom()}, within);
}

PixelBlock copy_block(ConstPixelGrid picture, const PixelArea& area) {
    PixelBlock block{area.width, area.height, {}};
    block.pixels.reserve(std::size_t(area.width) * std::size_t(area.height));
    for (int row = area.top; row <= area.bottom(); ++row) {
        const std::uint8_t* line = picture.row(row);
        block.pixels.insert(block.pixels.end(), line + area.left, line + area.right() + 1);
    }
    return block;
}

void fill_block(PixelGrid picture, const PixelArea& area, std::uint8_t color) {
    for (int row = area.top; row <= area.bottom(); ++row) {
        std::uint8_t* line = picture.row(row);
        std::fill(line + area.left, line + area.right() + 1, color);
    }
}

void flip_horizontally(PixelGrid picture, const PixelArea& area) {
    for (int row = area.top; row <= area.bottom(); ++row) {
        std::uint8_t* line = picture.row(row);
        std::reverse(line + area.left, line + area.right() + 1);
    }
}

void flip_vertically(PixelGrid picture, const PixelArea& area) {
    for (int upper = area.top, lower = area.bottom(); upper < lower; ++upper, --lower)
        std::swap_ranges(picture.row(upper) + area.left, picture.row(upper) + area.right() + 1,
                         picture.row(lower) + area.left);
}

namespace {

// How many pixels of each colour every area of the colour limit holds, and which colours it
// holds: the 4 x 8 cells, or in FLI the 4 x 1 rows.
class UnitColours {
public:
    UnitColours(ConstPixelGrid picture, const Mode& mode)
        : limit_(mode.colours_per_area()), column_unit_(std::size_t(picture.width)),
          row_unit_(std::size_t(picture.height)) {
        const CellSize size = mode.colour_area;
        const int across = picture.width / size.width;
        for (int column = 0; column < picture.width; ++column)
            column_unit_[std::size_t(column)] = column / size.width;
        for (int row = 0; row < picture.height; ++row)
            row_unit_[std::size_t(row)] = row / size.height * across;
        units_.resize(std::size_t(across * (picture.height / size.height)));
        for (int row = 0; row < picture.height; ++row)
            for (int column = 0; column < picture.width; ++column)
                add(unit(column, row), picture.row(row)[column] & 0x0F);
    }

    // How many colours besides `back` the unit of the pixel holds.
    int colours(int column, int row, std::uint8_t back) const {
        return colours_besides(units_[unit(column, row)].colours, back);
    }
    int limit() const { return limit_; }

    // Whether `color` written over `old` brings no new colour besides `back` into the unit, or
    // leaves it within the limit.
    bool allows(int column, int row, std::uint8_t old, std::uint8_t color,
                std::uint8_t back) const {
        const Unit& counted = units_[unit(column, row)];
        if (color == back || counted.count[color] > 0) return true;
        const int after = colours(column, row, back) + 1 - (old != back && counted.count[old] == 1);
        return after <= limit_;
    }

    void write(int column, int row, std::uint8_t old, std::uint8_t color) {
        const std::size_t at = unit(column, row);
        Unit& counted = units_[at];
        if (--counted.count[old] == 0) counted.colours &= std::uint16_t(~(1u << old));
        add(at, color);
    }

private:
    struct Unit {
        std::array<std::uint8_t, 16> count{};
        std::uint16_t colours = 0; // bit i: colour i has a pixel there
    };
    std::size_t unit(int column, int row) const {
        return std::size_t(row_unit_[std::size_t(row)] + column_unit_[std::size_t(column)]);
    }
    void add(std::size_t at, std::uint8_t color) {
        ++units_[at].count[color];
        units_[at].colours |= std::uint16_t(1u << color);
    }
    int limit_;
    std::vector<int> column_unit_, row_unit_;
    std::vector<Unit> units_;
};

} // namespace

// Where the whole block leaves a unit within the limit, all its pixels there land (a cell
// moved whole lands whole, whatever lay under it); elsewhere each pixel is asked in turn.
void paste_block(PixelGrid picture, std::uint8_t back, const Mode& mode, const PixelBlock& block,
                 PixelPos at, bool exact, const PastePlot& plot) {
    const PixelArea target =
        area_between(at, {at.column + block.width - 1, at.row + block.height - 1}, picture.whole());
    if (block.width <= 0 || block.height <= 0 || target.empty()) return;
    auto each_pixel = [&](auto visit) {
        for (int row = target.top; row <= target.bottom(); ++row)
            for (int column = target.left; column <= target.right(); ++column)
                if (block.holds(column - at.column, row - at.row))
                    visit(column, row, picture.row(row)[column],
                          std::uint8_t(block.at(column - at.column, row - at.row) & 0x0F));
    };
    UnitColours now(picture, mode);
    UnitColours pasted = now;
    each_pixel([&](int column, int row, std::uint8_t old, std::uint8_t color) {
        pasted.write(column, row, old & 0x0F, color);
    });
    each_pixel([&](int column, int row, std::uint8_t& pixel, std::uint8_t color) {
        const std::uint8_t old = pixel & 0x0F;
        if (!exact && pasted.colours(column, row, back) > pasted.limit()) {
            if (plot) return plot({column, row}, color);
            if (!now.allows(column, row, old, color, back)) return;
        }
        now.write(column, row, old, color);
        pixel = color;
    });
}
