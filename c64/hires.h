#pragma once
#include "c64/fli.h"
#include "geometry/geometry.h"
#include <array>
#include <cstdint>

// The hires bitmap: 320 x 200 single-width pixels in 40 x 25 cells of 8 x 8. A set bit shows
// the high nybble of the cell's screen byte, a clear bit the low one; no colour is shared, so
// a cell shows two colours of its own. AFLI gives each of a cell's 8 pixel rows a screen of
// its own, as FLI does to multicolour: each 8 x 1 row shows two colours.

// A hires picture's pixels, 320 to a row.
using HiresBytes = std::array<std::uint8_t, kHiresBytes>;

// The first kHiresBytes of `bytes` (an array or vector) as a hires picture. The functions below
// take a 320 x 200 grid and refuse (std::invalid_argument) one of another size.
template <class Bytes> auto hires_grid(Bytes&& bytes) {
    return grid_over(bytes, kHiresColumns, kBitmapRows);
}

// Where the pixel (column, row) of a hires picture lies in its bytes.
constexpr int hires_offset(int column, int row) { return row * kHiresColumns + column; }

// Hires as the C64 keeps it: the bitmap laid out as the multicolour one (bit 7 the leftmost
// pixel) and one screen. Every colour a C64 colour number.
struct HiresImage {
    std::array<std::uint8_t, kBitmapBytes> bitmap{};
    std::array<std::uint8_t, kCells> screen{};
    bool operator==(const HiresImage&) const = default;
};

// AFLI: the bitmap and a screen for each pixel row of a cell (screen n for row n).
struct AfliImage {
    std::array<std::uint8_t, kBitmapBytes> bitmap{};
    std::array<std::array<std::uint8_t, kCells>, kFliScreens> screens{};
    bool operator==(const AfliImage&) const = default;
};

// The picture (Vexlor indices, 320 to a row) encoded: each area (a cell in hires, a row of 8 in
// AFLI) keeps the two colours with the most pixels, which leaves the fewest pixels changed (of
// equal counts, the lower colour index); a pixel of another colour shows as the nearer of the
// two on a C64. A lone colour is paired with black. In AFLI, rows 196 to 199 take one pair,
// written to all four of their screens. `inexact` marks the 8 x 1 rows (CellRowSet's order:
// pixel row by pixel row, 40 to a row) that could not be shown exactly.
struct HiresEncoding {
    HiresImage image;
    CellRowSet inexact;
};
struct AfliEncoding {
    AfliImage image;
    CellRowSet inexact;
};
HiresEncoding encode_hires(ConstPixelGrid picture);
AfliEncoding encode_afli(ConstPixelGrid picture);

// The bitmaps as pictures of Vexlor indices, 320 to a row.
void decode_hires(const HiresImage& image, PixelGrid picture);
void decode_afli(const AfliImage& image, PixelGrid picture);

// Whether the area holding `at` (its 8 x 8 cell in hires, its 8 x 1 row in AFLI) holds at most
// two colours once `color` is written there.
bool hires_shows_with(ConstPixelGrid picture, PixelPos at, std::uint8_t color, int area_rows);

// What the clash marks show: the rows an export cannot show exactly (in AFLI also every row of
// the three leftmost cell columns, which no C64 shows in this mode).
CellRowSet hires_clash_rows(ConstPixelGrid picture);
CellRowSet afli_clash_rows(ConstPixelGrid picture);
