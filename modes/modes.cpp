#include "c64/multicolor.h"
#include "modes/mode.h"
#include <stdexcept>

namespace {

constexpr Mode kModes[] = {
    {.format = fmtMulticolor,
     .name = "Multicolor",
     .caption = "",
     .width = 160,
     .height = 200,
     .pixel_aspect = 2,
     .cell = {4, 8},
     .colour_area = {4, 8},
     .own_colours = 3,
     .shared = {.background = true, .cell_colour = false},
     .area_one = "cell",
     .area_many = "cells",
     .plot_order = {{{4, 8}}},
     .plot_steps = 1,
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
     .width = 160,
     .height = 200,
     .pixel_aspect = 2,
     .cell = {4, 8},
     .colour_area = {4, 1},
     .own_colours = 2,
     .shared = {.background = true, .cell_colour = true},
     .area_one = "row",
     .area_many = "rows",
     .plot_order = {{{4, 1}, {4, 8}}},
     .plot_steps = 2,
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
    for (const Mode& mode : kModes)
        if (mode.format == format) return &mode;
    return nullptr;
}

const Mode& mode_of(std::uint8_t format) {
    if (const Mode* mode = find_mode(format)) return *mode;
    throw std::invalid_argument("no mode has the picture_format value " + std::to_string(format));
}
