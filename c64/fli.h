#pragma once
#include "c64/multicolor.h"
#include <array>
#include <bitset>
#include <cstdint>

// FLI pictures are multicolour ones, 160 x 200: a grid of another size is refused.
// FLI: the multicolour bitmap with a screen RAM of its own for every pixel row of a cell
// (screen n for pixel row n). A 4 x 1 row shows the background, the colour-RAM colour that the
// cell's 8 rows share, and the two colours of its own screen byte.
constexpr int kFliScreens = kCellHeight;
constexpr int kCellRowsOfPicture = kBitmapRows * kCellColumns; // 4 x 1 rows in the picture

// On every line whose screen RAM is switched, the VIC-II fetches the first three characters too
// late: no C64 shows these columns right.
constexpr int kFliBugCellColumns = 3;
constexpr int kFliBugColumns = kFliBugCellColumns * kCellWidth;

// Bad lines, on which the VIC-II fetches a screen row, end at raster line $F7: the picture's
// last three rows keep the screen colours of row 196 (screen 4 of the last cell row).
constexpr int kLastScreenRow = 196;
constexpr int screen_row_of(int row) { return row < kLastScreenRow ? row : kLastScreenRow; }

// Which 4 x 1 row a pixel lies in: pixel row by pixel row, 40 to a pixel row.
constexpr int cell_row_of(int column, int row) { return row * kCellColumns + column / kCellWidth; }

// The 4 x 1 row at the top of a cell.
constexpr int first_cell_row(int cell) {
    return cell_row_of(cell % kCellColumns * kCellWidth, cell / kCellColumns * kCellHeight);
}

using CellRowSet = std::bitset<kCellRowsOfPicture>;

// An FLI picture as the C64 keeps it in memory; every colour a C64 colour number. The bitmap
// is laid out as the multicolour one; the pair 01 takes the high and 10 the low nybble of the
// row's screen byte, 11 the cell's colour byte; 00 the background of its raster line.
struct FliImage {
    std::array<std::uint8_t, kBitmapBytes> bitmap{};
    std::array<std::array<std::uint8_t, kCells>, kFliScreens> screens{};
    std::array<std::uint8_t, kCells> color{};            // only the low nybble counts
    std::array<std::uint8_t, kBitmapRows> backgrounds{}; // only the low nybble counts

    bool operator==(const FliImage&) const = default;
};

// The picture (Vexlor indices) as FLI on `background` (a Vexlor index). Each cell takes the
// colour-RAM colour, and each of its rows the two screen colours, that leave the fewest pixels
// changed; a changed pixel shows as the nearest colour its row has on a C64. Rows 196 to 199
// take one pair of screen colours, written to all four of their screens.
struct FliEncoding {
    FliImage image;
    CellRowSet inexact; // the rows that could not be shown exactly
};
FliEncoding encode_fli(ConstPixelGrid picture, std::uint8_t background);

// What the clash marks show in FLI: the rows an FLI export cannot show exactly, and every row
// of the three leftmost character columns.
CellRowSet fli_clash_rows(ConstPixelGrid picture, std::uint8_t background);

// How many pixels of each colour (Vexlor index) each pixel row of a cell holds.
using CellRowCounts = std::array<std::array<int, 16>, kCellHeight>;
CellRowCounts cell_row_counts(ConstPixelGrid picture, int cell);

// Whether FLI shows the cell exactly when its rows hold `rows` on `background`: some colour-RAM
// colour leaves no row more than two colours of its own (rows 197 to 199 share row 196's). The
// export and the clash marks judge the cell's rows by the same plan.
bool fli_shows_cell(const CellRowCounts& rows, std::uint8_t background, int cell);

// Every row of the given cells: the multicolour clashes as rows.
CellRowSet rows_of_cells(const CellSet& cells);

// The FLI picture as a picture of Vexlor indices, as a C64 shows it: rows 197 to 199 in row
// 196's screen colours.
void decode_fli(const FliImage& image, PixelGrid picture);
