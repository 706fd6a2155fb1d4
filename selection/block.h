#pragma once
#include "geometry/geometry.h"
#include "modes/mode.h"
#include <cstdint>
#include <functional>
#include <vector>

// Rectangles of picture pixels and the blocks lifted out of them: what selecting, cutting,
// copying, pasting and flipping work on. No Qt.

// The rectangle with these two corners, in any order, both included, cut at the edges of
// `within` (the whole picture).
PixelArea area_between(PixelPos corner, PixelPos opposite, const PixelArea& within);

// The area grown outwards to whole cells of the picture `within`.
PixelArea snapped_to_cells(const PixelArea& area, CellSize cell, const PixelArea& within);

// Colour indices, `width` per row, rows top to bottom. A block lifted from a rectangle holds
// every pixel; one lifted from a selection of another shape (or a brush turned by an odd
// angle) holds only the pixels its mask marks, and the others are no part of it.
struct PixelBlock {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> mask = {}; // empty: every pixel; else one a pixel, 1 where held
    std::uint8_t at(int column, int row) const { return pixels[std::size_t(row * width + column)]; }
    bool holds(int column, int row) const {
        return mask.empty() || mask[std::size_t(row * width + column)] != 0;
    }
    bool operator==(const PixelBlock&) const = default;
};

// The pixels of `area` (which lies within the picture).
PixelBlock copy_block(ConstPixelGrid picture, const PixelArea& area);

// Every pixel of `area` becomes `color`.
void fill_block(PixelGrid picture, const PixelArea& area, std::uint8_t color);

// Mirrors `area` left to right, or top to bottom, in place.
void flip_horizontally(PixelGrid picture, const PixelArea& area);
void flip_vertically(PixelGrid picture, const PixelArea& area);

// Puts `block` down with its top-left pixel at `at` (only the pixels it holds), cut at the
// picture's edges, keeping to the
// mode's colour limit: at most three colours besides the background `back` in a 4 x 8 cell (a
// 4 x 1 row in FLI). Where the whole block keeps an area within the limit, all of it lands
// there; elsewhere a pixel that would bring a fourth colour into the area is refused and keeps
// its colour. With `exact` every pixel is written. (Painting's rule, pixel by pixel, also
// refuses a background pixel of a full cell even for a colour the cell holds, and would lose
// most of a block moved onto an empty place.) Where `plot` is given, it decides each pixel of
// an area that the whole block would leave over the limit instead.
using PastePlot = std::function<void(PixelPos at, std::uint8_t color)>;
void paste_block(PixelGrid picture, std::uint8_t back, const Mode& mode, const PixelBlock& block,
                 PixelPos at, bool exact, const PastePlot& plot = {});
