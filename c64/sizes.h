#pragma once

// The C64's two bitmaps and the screens beside them, in pixels, cells and bytes.

// The multicolour bitmap: 160 x 200 double-width pixels in 40 x 25 cells of 4 x 8.
constexpr int kMulticolorColumns = 160;
constexpr int kBitmapRows = 200;
constexpr int kMulticolorBytes = kMulticolorColumns * kBitmapRows; // a byte a pixel
constexpr int kCellWidth = 4;
constexpr int kCellHeight = 8;
constexpr int kCellColumns = kMulticolorColumns / kCellWidth;
constexpr int kCellRows = kBitmapRows / kCellHeight;
constexpr int kCells = kCellColumns * kCellRows; // also the bytes of a screen or the colour RAM
constexpr int kCellPixels = kCellWidth * kCellHeight;
constexpr int kBitmapBytes = kCells * kCellHeight;

// The hires bitmap: 320 x 200 single-width pixels in the same 40 x 25 cells, 8 x 8 pixels each.
constexpr int kHiresColumns = 320;
constexpr int kHiresCellWidth = 8;
constexpr int kHiresBytes = kHiresColumns * kBitmapRows;
static_assert(kHiresColumns / kHiresCellWidth == kCellColumns, "both bitmaps have 40 columns");
