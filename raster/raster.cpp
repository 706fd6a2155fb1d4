#include "raster/raster.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

// A scanline fill with its own stack: an area as large as the picture needs no recursion.
std::vector<PixelPos> fill_area(ConstPixelGrid picture, PixelPos seed) {
    std::vector<PixelPos> area;
    if (!picture.contains(seed)) return area;
    const int columns = picture.width, rows = picture.height;
    const std::uint8_t target = picture.at(seed);
    std::vector<bool> taken(std::size_t(columns) * std::size_t(rows));
    auto open = [&](int column, int row) {
        const int at = row * columns + column;
        return picture.pixels[at] == target && !taken[std::size_t(at)];
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
    const int columns = right - left + 1, rows = bottom - top + 1;
    std::vector<PixelPos> pixels;
    pixels.reserve(std::size_t(filled ? columns * rows : 2 * (columns + rows)));
    for (int row = top; row <= bottom; ++row) {
        const bool edge_row = row == top || row == bottom;
        for (int column = left; column <= right; ++column)
            if (filled || edge_row || column == left || column == right)
                pixels.push_back({column, row});
    }
    return pixels;
}

namespace {

// Ellipses are worked out in half pixels from the box's middle, so that a box an even number
// of pixels across (whose middle lies between two columns) needs no fractions: a pixel's
// half-pixel offset has the parity of the box's size less one.
struct HalfPixel {
    int x = 0, y = 0;
    auto operator<=>(const HalfPixel&) const = default;
};

// The half-pixel offset of the pixel nearest to `offset`, among those of `parity` on its side
// of the middle.
int nearest_of_parity(double offset, int parity) {
    return parity + 2 * std::max(0, int(std::lround((offset - parity) / 2)));
}

// The quarter of the outline right of and below the middle, from the bottom end to the right
// end, each step to one of the eight neighbours. Where the curve is flatter than a diagonal
// each column gets the pixel nearest it, where it is steeper each row does; the pixel at the
// corner of an L of three is dropped, as its two neighbours already touch.
std::vector<HalfPixel> ellipse_quarter(int across, int down) {
    const double a = across, b = down;
    std::vector<HalfPixel> quarter;
    for (int x = across % 2; x <= across; x += 2)
        quarter.push_back({x, nearest_of_parity(b * std::sqrt(1 - (x / a) * (x / a)), down % 2)});
    for (int y = down % 2; y <= down; y += 2)
        quarter.push_back({nearest_of_parity(a * std::sqrt(1 - (y / b) * (y / b)), across % 2), y});
    std::ranges::sort(quarter,
                      [](HalfPixel p, HalfPixel q) { return p.x != q.x ? p.x < q.x : p.y > q.y; });
    quarter.erase(std::unique(quarter.begin(), quarter.end()), quarter.end());
    std::vector<HalfPixel> thin;
    for (HalfPixel pixel : quarter) {
        thin.push_back(pixel);
        const std::size_t n = thin.size();
        if (n >= 3 && std::abs(thin[n - 3].x - pixel.x) <= 2 &&
            std::abs(thin[n - 3].y - pixel.y) <= 2)
            thin.erase(thin.end() - 2);
    }
    return thin;
}

} // namespace

std::vector<PixelPos> ellipse_pixels(PixelPos corner, PixelPos opposite, bool filled) {
    const int left = std::min(corner.column, opposite.column);
    const int right = std::max(corner.column, opposite.column);
    const int top = std::min(corner.row, opposite.row);
    const int bottom = std::max(corner.row, opposite.row);
    const int across = right - left, down = bottom - top; // the half-pixel radii
    if (across < 2 || down < 2) return rectangle_pixels(corner, opposite, true);
    // Each row's outline pixels, as the half-pixel offsets right of the middle.
    std::vector<std::vector<int>> rows(std::size_t(bottom - top + 1));
    for (HalfPixel pixel : ellipse_quarter(across, down))
        for (int y : {-pixel.y, pixel.y}) rows[std::size_t((y + down) / 2)].push_back(pixel.x);
    const auto column = [&](int x) { return (x + left + right) / 2; };
    std::vector<PixelPos> pixels;
    pixels.reserve(filled ? std::size_t((across + 1) * (down + 1)) : 2 * rows.size() + 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = top + int(i);
        std::vector<int>& offsets = rows[i];
        std::ranges::sort(offsets);
        offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
        if (filled) {
            for (int c = column(-offsets.back()); c <= column(offsets.back()); ++c)
                pixels.push_back({c, row});
            continue;
        }
        for (auto x = offsets.rbegin(); x != offsets.rend(); ++x)
            pixels.push_back({column(-*x), row});
        for (int x : offsets)
            if (x > 0) pixels.push_back({column(x), row});
    }
    return pixels;
}

std::size_t replace_colour(PixelGrid picture, std::uint8_t from, std::uint8_t to) {
    const std::size_t size = std::size_t(picture.width) * std::size_t(picture.height);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < size; ++i)
        if (picture.pixels[i] == from) {
            picture.pixels[i] = to;
            ++changed;
        }
    return from == to ? 0 : changed;
}
