#pragma once
#include "colour/lab.h"
#include "geometry/geometry.h"
#include <cstdint>

// Makes every area that a C64 cannot show (a cell in Multicolor, a 4 x 1 row in FLI) showable
// with the fewest pixels changed. Each takes the picture's grid, 160 x 200 in Multicolor and FLI,
// 320 x 200 in hires and AFLI, and refuses another; the part of `within` outside it is left
// alone. No Qt.

// What a mode's Fix Colour Clashes changed (Mode::fix_clashes counts it).
struct ClashFix {
    int areas = 0;  // the mode's colour areas changed: cells, or rows in FLI and AFLI
    int pixels = 0; // pixels changed
};

// Multicolor: each cell that holds more than three colours besides `back` keeps the three that
// leave the fewest of its pixels changed (of equals, those with the least total colour
// difference, measured in `shown`); its other pixels take the nearest colour it keeps, the
// background included. Only cells that `within` touches are changed.
void fix_cell_clashes(PixelGrid picture, std::uint8_t back, const LabPalette& shown,
                      const PixelArea& within);

// FLI: a row must also share one colour with the other rows of its cell, so the rows an FLI
// export cannot show take the colours that export would give them. Only rows that `within`
// touches are changed.
void fix_row_clashes(PixelGrid picture, std::uint8_t back, const LabPalette& shown,
                     const PixelArea& within);

// Hires and AFLI: each cell (8 x 1 row in AFLI) keeps its two colours with the most pixels,
// which changes the fewest, as the export does; its other pixels take the nearer of the two.
// Only cells (rows) that `within` touches are changed.
void fix_pair_clashes(PixelGrid picture, std::uint8_t back, const LabPalette& shown,
                      const PixelArea& within);
void fix_afli_clashes(PixelGrid picture, std::uint8_t back, const LabPalette& shown,
                      const PixelArea& within);
