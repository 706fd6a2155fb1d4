#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>

// Places, sizes and grids of picture pixels, in whatever mode: plain values, no rules.

struct PixelPos {
    int column = 0;
    int row = 0;
    bool operator==(const PixelPos&) const = default;
};

// A size in pixels: a character cell, or the part of one whose colours are counted.
struct CellSize {
    int width = 0;
    int height = 0;
    bool operator==(const CellSize&) const = default;
};

// A picture's size and its character cells, and how many times wider than high a pixel shows
// on screen: what the views need to know of its mode.
struct PictureShape {
    int width = 0;
    int height = 0;
    CellSize cell;
    int pixel_aspect = 1;
};

// A rectangle of picture pixels; `width` and `height` count pixels, so a single pixel is 1 x 1.
struct PixelArea {
    int left = 0, top = 0, width = 0, height = 0;
    // Found without passing through a value past the right or bottom edge, which far out in the
    // plane would not exist.
    int right() const { return left + (width - 1); }
    int bottom() const { return top + (height - 1); }
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(PixelPos at) const {
        return left <= at.column && at.column <= right() && top <= at.row && at.row <= bottom();
    }
    bool operator==(const PixelArea&) const = default;
};

// The smallest rectangle holding both; an empty one holds nothing.
inline PixelArea united(const PixelArea& a, const PixelArea& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    const int left = a.left < b.left ? a.left : b.left, top = a.top < b.top ? a.top : b.top;
    const int right = a.right() > b.right() ? a.right() : b.right();
    const int bottom = a.bottom() > b.bottom() ? a.bottom() : b.bottom();
    return {left, top, right - left + 1, bottom - top + 1};
}

// The part of `area` that lies within `within`.
inline PixelArea clipped(const PixelArea& area, const PixelArea& within) {
    const int left = area.left > within.left ? area.left : within.left;
    const int top = area.top > within.top ? area.top : within.top;
    const int right = area.right() < within.right() ? area.right() : within.right();
    const int bottom = area.bottom() < within.bottom() ? area.bottom() : within.bottom();
    if (area.empty() || left > right || top > bottom) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

// The `size` block, on the grid of such blocks from the picture's corner, that holds `at`:
// its corner rounds down, towards minus infinity, and far outside the picture too.
inline PixelArea block_at(PixelPos at, CellSize size) {
    // A step of a power of two, as every cell so far, rounds down by masking.
    const auto floor_to = [](int value, int step) {
        return (step & (step - 1)) == 0 ? value & -step : value - (value % step + step) % step;
    };
    return {floor_to(at.column, size.width), floor_to(at.row, size.height), size.width,
            size.height};
}

// A picture's pixels: one colour index a byte, `width` to a row, rows top to bottom.
template <class Byte> struct Grid {
    Byte* pixels = nullptr;
    int width = 0;
    int height = 0;
    bool contains(PixelPos at) const {
        return 0 <= at.column && at.column < width && 0 <= at.row && at.row < height;
    }
    PixelArea whole() const { return {0, 0, width, height}; }
    Byte* row(int r) const { return pixels + r * width; }
    Byte& at(PixelPos p) const { return pixels[p.row * width + p.column]; }
    // Pixels that may be written may be read.
    operator Grid<const Byte>() const requires(!std::is_const_v<Byte>) {
        return {pixels, width, height};
    }
};
using PixelGrid = Grid<std::uint8_t>;
using ConstPixelGrid = Grid<const std::uint8_t>;

// The first `width` x `height` bytes of a container (an array or vector of pixels) as a grid;
// a container too small to hold them is refused. A grid over a temporary lasts as long as it.
template <class Bytes> auto grid_over(Bytes&& bytes, int width, int height) {
    using Byte = std::remove_pointer_t<decltype(bytes.data())>;
    if (width < 0 || height < 0 || bytes.size() < std::size_t(width) * std::size_t(height))
        throw std::invalid_argument("the pixels do not fill a " + std::to_string(width) + " x " +
                                    std::to_string(height) + " grid");
    return Grid<Byte>{bytes.data(), width, height};
}

// Refuses a grid of another size than the one `reader` works on: its loops take the rows as
// that wide, and would read or write past the pixels of a smaller grid.
template <class Byte>
void require_size(const Grid<Byte>& grid, int width, int height, const char* reader) {
    if (grid.width != width || grid.height != height || grid.pixels == nullptr)
        throw std::invalid_argument(std::string(reader) + " works on a " + std::to_string(width) +
                                    " x " + std::to_string(height) + " picture, not " +
                                    std::to_string(grid.width) + " x " +
                                    std::to_string(grid.height));
}
