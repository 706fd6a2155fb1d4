#pragma once
#include "c64/fli.h"
#include "conversion/cell_search.h"
#include <array>
#include <cstdint>
#include <vector>

// The colours each 4 x 1 row may show, indexed by cell_row_of: the background first, then
// three more, as indices into the palette the search was given.
struct RowColors {
    std::uint8_t background = 0;
    std::vector<std::array<std::uint8_t, 4>> rows =
        std::vector<std::array<std::uint8_t, 4>>(kCellRowsOfPicture);
};

// Each row of a cell shows the cell's own colours.
RowColors rows_of_cells(const CellColors& cells);

// The FLI choice that shows the target (a colour for each picture pixel) with the least total
// colour difference: for every cell each colour-RAM colour is tried, and with it, for every
// row, each pair of screen colours.
RowColors choose_fli_colors(const std::vector<Lab>& target, const LabPalette& colors,
                            std::uint8_t background);
