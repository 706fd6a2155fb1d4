#include "c64/multicolor.h"
#include "modes/colour_count.h"
#include "modes/mode.h"
#include <algorithm>
#include <stdexcept>

namespace {

// Multicolor: the cell shows at most three colours besides the background.
bool cell_shows_with(const std::uint8_t* picture, std::uint8_t background, PixelPos at,
                     std::uint8_t color) {
    const int cell = cell_of(at.column, at.row), target = at.row * kPictureColumns + at.column;
    std::uint16_t colours = 0;
    for (int p = 0; p < kCellPixels; ++p) {
        const int offset = cell_pixel_offset(cell, p);
        colours |= std::uint16_t(1u << ((offset == target ? color : picture[offset]) & 0x0F));
    }
    return colours_besides(colours, background) <= 3;
}

// FLI: besides the background and two colours of its own, each row has only the colour all
// eight rows share.
bool fli_cell_shows_with(const std::uint8_t* picture, std::uint8_t background, PixelPos at,
                         std::uint8_t color) {
    const int cell = cell_of(at.column, at.row);
    CellRowCounts rows = cell_row_counts(picture, cell);
    std::array<int, 16>& own = rows[std::size_t(at.row % kCellHeight)];
    --own[picture[at.row * kPictureColumns + at.column] & 0x0F];
    ++own[color & 0x0F];
    return fli_shows_cell(rows, background, cell);
}

// Both modes draw on the C64's multicolour bitmap: 160 x 200 double-width pixels in cells of
// 4 x 8.
constexpr PictureShape kBitmap{160, 200, {4, 8}, 2};

constexpr Mode kModes[] = {
    {.format = fmtMulticolor,
     .name = "Multicolor",
     .caption = "",
     .shape = kBitmap,
     .colour_area = {4, 8},
     .shared_rows_from = 200,
     .own_colours = 3,
     .shared = {.background = true, .cell_colour = false},
     .area_one = "cell",
     .area_many = "cells",
     .plot_order = {{{4, 8}}},
     .plot_steps = 1,
     .shows_with = cell_shows_with,
     .clash_rows =
         [](const std::uint8_t* picture, std::uint8_t background) {
             return rows_of_cells(inexact_cells(picture, background));
         },
     .areas_over_limit =
         [](const std::uint8_t* picture, std::uint8_t background) {
             return int(inexact_cells(picture, background).count());
         },
     .fix_clashes = fix_cell_clashes,
     .viewer = Viewer::Multicolor},
    // A row of four pixels shows its own two colours, the colour its cell shares and the
    // background; a pixel its row refuses may still fit the cell.
    {.format = fmtFli,
     .name = "FLI",
     .caption = " [FLI]",
     .shape = kBitmap,
     .colour_area = {4, 1},
     .shared_rows_from = kLastScreenRow,
     .own_colours = 2,
     .shared = {.background = true, .cell_colour = true},
     .area_one = "row",
     .area_many = "rows",
     .plot_order = {{{4, 1}, {4, 8}}},
     .plot_steps = 2,
     .shows_with = fli_cell_shows_with,
     .clash_rows = fli_clash_rows,
     .areas_over_limit =
         [](const std::uint8_t* picture, std::uint8_t background) {
             return int(encode_fli(picture, background).inexact.count());
         },
     .fix_clashes = fix_row_clashes,
     .viewer = Viewer::Fli},
};

} // namespace

std::span<const Mode> all_modes() { return kModes; }

const Mode* find_mode(std::uint8_t format) {
    const auto* found = std::ranges::find(kModes, format, &Mode::format);
    return found == std::end(kModes) ? nullptr : found;
}

const Mode& mode_of(std::uint8_t format) {
    if (const Mode* mode = find_mode(format)) return *mode;
    throw std::invalid_argument("no mode has the picture_format value " + std::to_string(format));
}
