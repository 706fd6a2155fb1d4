#include "raster/raster.h"
#include <algorithm>
#include <cstdlib>

// A scanline fill with its own stack: an area as large as the picture needs no recursion.
std::vector<PixelPos> fill_area(const std::uint8_t* picture, int columns, int rows, PixelPos seed) {
    std::vector<PixelPos> area;
    if (seed.column < 0 || seed.column >= columns || seed.row < 0 || seed.row >= rows) return area;
    const std::uint8_t target = picture[seed.row * columns + seed.column];
    std::vector<bool> taken(std::size_t(columns) * std::size_t(rows));
    auto open = [&](int column, int row) {
        const int at = row * columns + column;
        return picture[at] == target && !taken[std::size_t(at)];
    };
    std::vector<PixelPos> seeds{seed};
    while (!seeds.empty()) {
        const PixelPos next = seeds.back();
        seeds.pop_back();
        if (!open(next.column, next.row)) continue;
        int left = next.column, right = next.column;
        while (left > 0 && open(left - 1, next.row)) --left;
        while (right + 1 < columns && open(right + 1, next.row)) ++right;
        for (int column = left; column <= right; ++column) {
            taken[std::size_t(next.row * columns + column)] = true;
            area.push_back({column, next.row});
        }
        // One seed for each run of the area's colour in the rows above and below the span.
        for (int row : {next.row - 1, next.row + 1}) {
            if (row < 0 || row >= rows) continue;
            for (int column = left; column <= right; ++column)
                if (open(column, row) && (column == left || !open(column - 1, row)))
                    seeds.push_back({column, row});
        }
    }
    return area;
}

std::vector<PixelPos> line_pixels(PixelPos from, PixelPos to) {
    const int dx = std::abs(to.column - from.column), dy = -std::abs(to.row - from.row);
    const int step_x = from.column < to.column ? 1 : -1, step_y = from.row < to.row ? 1 : -1;
    std::vector<PixelPos> line;
    line.reserve(std::size_t(std::max(dx, -dy)) + 1);
    int error = dx + dy;
    for (PixelPos at = from;;) {
        line.push_back(at);
        if (at == to) return line;
        const int twice = 2 * error;
        if (twice >= dy) error += dy, at.column += step_x;
        if (twice <= dx) error += dx, at.row += step_y;
    }
}

std::vector<PixelPos> rectangle_pixels(PixelPos corner, PixelPos opposite, bool filled) {
    const int left = std::min(corner.column, opposite.column);
    const int right = std::max(corner.column, opposite.column);
    const int top = std::min(corner.row, opposite.row);
    const int bottom = std::max(corner.row, opposite.row);
    std::vector<PixelPos> pixels;
    for (int row = top; row <= bottom; ++row) {
        const bool edge_row = row == top || row == bottom;
        for (int column = left; column <= right; ++column)
            if (filled || edge_row || column == left || column == right)
                pixels.push_back({column, row});
    }
    return pixels;
}

std::size_t replace_colour(std::uint8_t* picture, std::size_t size, std::uint8_t from,
                           std::uint8_t to) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < size; ++i)
        if (picture[i] == from) {
            picture[i] = to;
            ++changed;
        }
    return from == to ? 0 : changed;
}
