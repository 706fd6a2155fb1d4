#pragma once
#include "colour/color_difference.h"
#include "conversion/fit.h"
#include "conversion/fli_search.h"
#include "modes/mode.h"

// The one of a row's four colours that looks nearest to `color`.
std::uint8_t nearest_in_set(const LabC& color, const std::array<std::uint8_t, 4>& set,
                            const LabCPalette& palette);

// The columns at the left of a picture in `mode` that no C64 shows: they pass no error on.
int hidden_columns(const Mode& mode);

// Floyd-Steinberg error diffusion onto the colours each cell row (4 x 1, or 8 x 1 in hires) may
// show.
StoredPicture diffuse_onto_rows(const PictureTarget& target, const LabPalette& colors,
                                const RowColors& rows);

// Floyd-Steinberg onto all 16 colours, with no limit to a cell: what the limits cost a dither.
StoredPicture diffuse_freely(const PictureTarget& target, const LabPalette& colors);

// FLI with the dither in the loop. Each row keeps its cell's colour-RAM colour from `rows`, and
// its two screen colours are chosen when the diffusion reaches the row's first pixel: of the
// pairs made of the colours nearest its pixels (the error carried in included) and the pair in
// `rows`, the one whose four pixels, diffused in turn, leave the least total difference. Row 196
// counts rows 197 to 199 too, which show its pair. The three leftmost cell columns, which no
// C64 shows, keep the pairs of `rows` and pass no error on.
StoredPicture diffuse_fli(const PictureTarget& target, const LabPalette& colors, RowColors rows);

// A hires mode with the dither in the loop: each colour area's pair (an 8 x 8 cell, or an 8 x 1
// row, with rows 196 to 199 together in AFLI) is chosen when the diffusion reaches its first
// pixel, of all pairs the one whose first row, diffused in turn with the error carried in, and
// whose later rows, by how well the pair's mixes make them up, leave the least total
// difference. The hidden columns keep the pairs of `rows` and pass no error on.
StoredPicture diffuse_pairs(const PictureTarget& target, const LabPalette& colors, RowColors rows,
                            const Mode& mode);
