#pragma once
#include "picture/picture.h"
#include "raster/raster.h"
#include <cstdint>
#include <functional>
#include <vector>

// Rectangles of picture pixels and the blocks lifted out of them: what selecting, cutting,
// copying, pasting and flipping work on. No Qt.

// A rectangle of picture pixels; `width` and `height` count pixels, so a single pixel is 1 x 1.
struct PixelArea {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width - 1; }
    int bottom() const { return top + height - 1; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(PixelPos at) const {
        return left <= at.column && at.column <= right() && top <= at.row && at.row <= bottom();
    }
    bool operator==(const PixelArea&) const = default;
};

constexpr PixelArea kWholePicture{0, 0, kPictureColumns, kPictureRows};

// The rectangle with these two corners, in any order, both included, cut at the picture's edges.
PixelArea area_between(PixelPos corner, PixelPos opposite);

// The area grown outwards to whole 4 x 8 character cells.
PixelArea snapped_to_cells(const PixelArea& area);

// Colour indices, `width` per row, rows top to bottom.
struct PixelBlock {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t at(int column, int row) const { return pixels[std::size_t(row * width + column)]; }
    bool operator==(const PixelBlock&) const = default;
};

// The pixels of `area` (which lies within the picture).
PixelBlock copy_block(const std::uint8_t* picture, const PixelArea& area);

// Every pixel of `area` becomes `color`.
void fill_block(std::uint8_t* picture, const PixelArea& area, std::uint8_t color);

// Mirrors `area` left to right, or top to bottom, in place.
void flip_horizontally(std::uint8_t* picture, const PixelArea& area);
void flip_vertically(std::uint8_t* picture, const PixelArea& area);

// Puts `block` down with its top-left pixel at `at`, cut at the picture's edges, keeping to the
// colour limit: at most three colours besides the background in a 4 x 8 cell (a 4 x 1 row in
// FLI). Where the whole block keeps a cell within the limit, all of it lands there; elsewhere a
// pixel that would bring a fourth colour into the cell is refused and keeps its colour. With
// `exact` every pixel is written. (Painting's rule, pixel by pixel, also refuses a background
// pixel of a full cell even for a colour the cell holds, and would lose most of a block moved
// onto an empty place.) Where `plot` is given, it decides each pixel of a cell that the whole
// block would leave over the limit instead. The model's refresh is not called.
using PastePlot = std::function<void(PixelPos at, std::uint8_t color)>;
void paste_block(PictureModel& model, std::uint8_t format, const PixelBlock& block, PixelPos at,
                 bool exact, const PastePlot& plot = {});
