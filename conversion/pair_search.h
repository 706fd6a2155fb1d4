#pragma once
#include "conversion/cell_search.h"
#include "conversion/fit.h"
#include "conversion/fli_search.h"
#include "modes/mode.h"

// The colours of a hires mode, whose every colour area (an 8 x 8 cell in hires; an 8 x 1 row in
// AFLI, rows 196 to 199 taken together) shows two colours of its own and shares none. Each cell
// row's set holds its area's pair twice over, so that the mapping and the diffusion treat it as
// any other set; the background is unused.

// For every area the pair that shows the target with the least total difference, every pair
// tried: a pixel counts the difference (CIEDE2000) of the nearer colour, or with CellError::Mix
// that of the pair's best mix (see mix.h), for pictures that are to be dithered.
RowColors choose_pairs(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                       CellError error = CellError::Nearest);

// The simple way, to measure the search against: every pixel to its nearest colour, and each
// area's two most frequent of those.
RowColors choose_pairs_by_frequency(const PictureTarget& target, const LabPalette& colors,
                                    const Mode& mode);

// The set a cell row shows for the pair (first, second).
inline std::array<std::uint8_t, 4> pair_set(std::uint8_t first, std::uint8_t second) {
    return {first, second, first, second};
}

// Calls `visit(area)` for each colour area of `mode`, top to bottom, left to right, once each.
template <class Visit> void for_each_colour_area(const Mode& mode, Visit&& visit) {
    for (int top = 0; top < mode.shape.height; top += mode.colour_area.height)
        for (int left = 0; left < mode.shape.width; left += mode.colour_area.width) {
            const PixelArea area = mode.colour_area_at({left, top});
            if (area.top == top) visit(area);
        }
}
