#pragma once
#include "c64/sizes.h"
#include "geometry/geometry.h"
#include <array>
#include <bitset>
#include <cstdint>

// A multicolour picture's pixels, 160 to a row.
using PictureBytes = std::array<std::uint8_t, kMulticolorBytes>;

// The first kMulticolorBytes of `bytes` (an array or vector) as a multicolour picture.
template <class Bytes> auto multicolor_grid(Bytes&& bytes) {
    return grid_over(bytes, kMulticolorColumns, kBitmapRows);
}

// The picture is 40 x 25 cells of 4 x 8 pixels; a cell shows the picture's one background
// colour and at most three colours of its own. The functions below take a 160 x 200 grid and
// refuse (std::invalid_argument) one of another size.

constexpr int cell_of(int column, int row) {
    return row / kCellHeight * kCellColumns + column / kCellWidth;
}

// Where a cell's pixel (0..31, row by row) lies in the picture.
constexpr int cell_pixel_offset(int cell, int pixel) {
    return (cell / kCellColumns * kCellHeight + pixel / kCellWidth) * kMulticolorColumns +
           cell % kCellColumns * kCellWidth + pixel % kCellWidth;
}

// A multicolour bitmap as the C64 keeps it in memory. Every colour is a C64 colour number.
// Bitmap: 8 bytes a cell (its pixel rows, top first), cells left to right, then top to bottom;
// bits 7-6 are a row's leftmost pixel. A pixel's two bits pick its colour: 00 the background,
// 01 the high and 10 the low nybble of the cell's screen byte, 11 the cell's colour byte.
struct MulticolorImage {
    std::array<std::uint8_t, kBitmapBytes> bitmap{};
    std::array<std::uint8_t, kCells> screen{};
    std::array<std::uint8_t, kCells> color{}; // only the low nybble counts
    std::uint8_t background = 0;              // only the low nybble counts

    bool operator==(const MulticolorImage&) const = default;
};

using CellSet = std::bitset<kCells>;

// The background (a Vexlor index) that lets the most cells encode exactly; black when that is
// as good as any, otherwise the lowest index among the best.
std::uint8_t best_background(ConstPixelGrid picture);

// The cells that hold more than three colours besides `background`.
CellSet inexact_cells(ConstPixelGrid picture, std::uint8_t background);

// The cells an export cannot show exactly, with the background it would choose. Cheap enough
// to run after every plot (one pass over the picture).
struct Clashes {
    CellSet cells;
    std::uint8_t background = 0;
};
Clashes find_clashes(ConstPixelGrid picture);

// The picture (Vexlor indices) as a multicolour bitmap on `background`, or else on the best
// background. A cell that cannot encode exactly keeps its three most used colours (besides the
// background) and shows each other colour as the kept colour nearest to it on a C64.
struct Encoding {
    MulticolorImage image;
    int inexact_cells = 0;
};
Encoding encode_multicolor(ConstPixelGrid picture, std::uint8_t background);
Encoding encode_multicolor(ConstPixelGrid picture);

// The bitmap as a picture of Vexlor indices.
void decode_multicolor(const MulticolorImage& image, PixelGrid picture);
