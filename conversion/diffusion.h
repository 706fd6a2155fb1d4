#pragma once
#include "colour/color_difference.h"
#include "conversion/fit.h"
#include "conversion/fli_search.h"

// The one of a row's four colours that looks nearest to `color`.
std::uint8_t nearest_in_set(const LabC& color, const std::array<std::uint8_t, 4>& set,
                            const LabCPalette& palette);

// Floyd-Steinberg error diffusion onto the colours each 4 x 1 row may show.
PictureBytes diffuse_onto_rows(const PictureTarget& target, const LabPalette& colors,
                               const RowColors& rows);

// FLI with the dither in the loop. Each row keeps its cell's colour-RAM colour from `rows`, and
// its two screen colours are chosen when the diffusion reaches the row's first pixel: of the
// pairs made of the colours nearest its pixels (the error carried in included) and the pair in
// `rows`, the one whose four pixels, diffused in turn, leave the least total difference. Row 196
// counts rows 197 to 199 too, which show its pair. The three leftmost cell columns, which no
// C64 shows, keep the pairs of `rows` and pass no error on.
PictureBytes diffuse_fli(const PictureTarget& target, const LabPalette& colors, RowColors rows);
