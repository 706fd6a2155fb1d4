#include "c64/colour_count.h"
#include "c64/multicolor.h"
#include "modes/mode.h"
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// Multicolor: the cell shows at most three colours besides the background.
bool cell_shows_with(ConstPixelGrid picture, std::uint8_t background, PixelPos at,
                     std::uint8_t color) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "Multicolor's shows_with");
    const int cell = cell_of(at.column, at.row), target = at.row * kMulticolorColumns + at.column;
    std::uint16_t colours = 0;
    for (int p = 0; p < kCellPixels; ++p) {
        const int offset = cell_pixel_offset(cell, p);
        colours |=
            std::uint16_t(1u << ((offset == target ? color : picture.pixels[offset]) & 0x0F));
    }
    return colours_besides(colours, background) <= 3;
}

// FLI: besides the background and two colours of its own, each row has only the colour all
// eight rows share.
bool fli_cell_shows_with(ConstPixelGrid picture, std::uint8_t background, PixelPos at,
                         std::uint8_t color) {
    const int cell = cell_of(at.column, at.row);
    CellRowCounts rows = cell_row_counts(picture, cell);
    std::array<int, 16>& own = rows[std::size_t(at.row % kCellHeight)];
    --own[picture.at(at) & 0x0F];
    ++own[color & 0x0F];
    return fli_shows_cell(rows, background, cell);
}

// Multicolor and FLI draw on the C64's multicolour bitmap: 160 x 200 double-width pixels in
// cells of 4 x 8; hires and AFLI on its hires bitmap, 320 x 200 square pixels in cells of 8 x 8.
constexpr PictureShape kBitmap{kMulticolorColumns, kBitmapRows, {kCellWidth, kCellHeight}, 2};
constexpr PictureShape kHiresBitmap{kHiresColumns, kBitmapRows, {kHiresCellWidth, kCellHeight}, 1};

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
         [](ConstPixelGrid picture, std::uint8_t background) {
             return rows_of_cells(inexact_cells(picture, background));
         },
     .inexact_rows =
         [](ConstPixelGrid picture, std::uint8_t background) {
             return rows_of_cells(inexact_cells(picture, background));
         },
     .make_showable = fix_cell_clashes,
     .encode = encoded_multicolor},
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
     .inexact_rows =
         [](ConstPixelGrid picture, std::uint8_t background) {
             return encode_fli(picture, background).inexact;
         },
     .make_showable = fix_row_clashes,
     .encode = encoded_fli,
     .hidden_cell_columns = kFliBugCellColumns},
    // A cell of hires shows two colours of its own and nothing else.
    {.format = fmtHires,
     .name = "Hires",
     .caption = " [Hires]",
     .shape = kHiresBitmap,
     .colour_area = {8, 8},
     .shared_rows_from = 200,
     .own_colours = 2,
     .shared = {.background = false, .cell_colour = false},
     .area_one = "cell",
     .area_many = "cells",
     .plot_order = {{{8, 8}}},
     .plot_steps = 1,
     .shows_with = [](ConstPixelGrid picture, std::uint8_t, PixelPos at,
                      std::uint8_t color) { return hires_shows_with(picture, at, color, 8); },
     .clash_rows = [](ConstPixelGrid picture, std::uint8_t) { return hires_clash_rows(picture); },
     .inexact_rows = [](ConstPixelGrid picture,
                        std::uint8_t) { return encode_hires(picture).inexact; },
     .make_showable = fix_pair_clashes,
     .encode = encoded_hires},
    // A row of eight pixels shows two colours of its own.
    {.format = fmtAfli,
     .name = "AFLI",
     .caption = " [AFLI]",
     .shape = kHiresBitmap,
     .colour_area = {8, 1},
     .shared_rows_from = kLastScreenRow,
     .own_colours = 2,
     .shared = {.background = false, .cell_colour = false},
     .area_one = "row",
     .area_many = "rows",
     .plot_order = {{{8, 1}}},
     .plot_steps = 1,
     .shows_with = [](ConstPixelGrid picture, std::uint8_t, PixelPos at,
                      std::uint8_t color) { return hires_shows_with(picture, at, color, 1); },
     .clash_rows = [](ConstPixelGrid picture, std::uint8_t) { return afli_clash_rows(picture); },
     .inexact_rows = [](ConstPixelGrid picture,
                        std::uint8_t) { return encode_afli(picture).inexact; },
     .make_showable = fix_afli_clashes,
     .encode = encoded_afli,
     .hidden_cell_columns = kFliBugCellColumns},
};

} // namespace

std::span<const Mode> all_modes() { return kModes; }

int Mode::areas_over_limit(ConstPixelGrid picture, std::uint8_t background) const {
    require_size(picture, shape.width, shape.height, name);
    const CellRowSet rows = inexact_rows(picture, background);
    return areas_with([&](PixelPos at) {
        return rows[std::size_t(at.row * kCellColumns + at.column / shape.cell.width)];
    });
}

ClashFix Mode::fix_clashes(PixelGrid picture, std::uint8_t background, const LabPalette& shown,
                           const PixelArea& within,
                           const std::function<bool(PixelPos)>& changeable) const {
    require_size(picture, shape.width, shape.height, name);
    const std::vector<std::uint8_t> before(picture.pixels,
                                           picture.pixels + shape.width * shape.height);
    make_showable(picture, background, shown, within);
    ClashFix fix;
    fix.areas = areas_with([&](PixelPos at) {
        const auto i = std::size_t(at.row * shape.width + at.column);
        if (changeable && !changeable(at)) picture.pixels[i] = before[i];
        fix.pixels += picture.pixels[i] != before[i];
        return picture.pixels[i] != before[i];
    });
    return fix;
}

const Mode* find_mode(std::uint8_t format) {
    const auto* found = std::ranges::find(kModes, format, &Mode::format);
    return found == std::end(kModes) ? nullptr : found;
}

const Mode& mode_of(std::uint8_t format) {
    if (const Mode* mode = find_mode(format)) return *mode;
    throw std::invalid_argument("no mode has the picture_format value " + std::to_string(format));
}

namespace {

// The 8 x 8 hires cell's count of the colour at (column, row).
int cell_count_of(const std::uint8_t* hires, int column, int row) {
    const std::uint8_t color = hires[hires_offset(column, row)];
    const int left = column / kHiresCellWidth * kHiresCellWidth,
              top = row / kCellHeight * kCellHeight;
    int count = 0;
    for (int y = top; y < top + kCellHeight; ++y)
        for (int x = left; x < left + kHiresCellWidth; ++x)
            count += hires[hires_offset(x, y)] == color;
    return count;
}

} // namespace

void convert_shape(const Mode& from, const Mode& to, std::uint8_t* storage) {
    const int from_width = from.shape.width, to_width = to.shape.width;
    if (from_width == to_width) return;
    const int rows = std::min(from.shape.height, to.shape.height);
    if (to_width == 2 * from_width) {
        // From the last pixel back, so that no pixel is overwritten before it is read.
        for (int i = rows * from_width - 1; i >= 0; --i)
            storage[2 * i] = storage[2 * i + 1] = storage[i];
        return;
    }
    const std::vector<std::uint8_t> wide(storage, storage + rows * from_width);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < to_width; ++column) {
            const int left = 2 * column, right = left + 1;
            const std::uint8_t l = wide[std::size_t(row * from_width + left)];
            const std::uint8_t r = wide[std::size_t(row * from_width + right)];
            const bool right_wins = l != r && cell_count_of(wide.data(), right, row) <
                                                  cell_count_of(wide.data(), left, row);
            storage[row * to_width + column] = right_wins ? r : l;
        }
    std::fill(storage + rows * to_width, storage + rows * from_width, std::uint8_t(0));
}

namespace {

// The colour the screen shows at (x, y), x counted in the screen's single-width pixels.
std::uint8_t on_screen_at(const std::uint8_t* picture, const PictureShape& shape, int x, int y) {
    return picture[y * shape.width + x / shape.pixel_aspect];
}

} // namespace

ShapeChange change_shape(const Mode& from, const Mode& to, std::uint8_t* storage,
                         std::uint8_t background, const LabPalette& shown) {
    ShapeChange change;
    if (from.shape.width == to.shape.width) return change;
    const std::vector<std::uint8_t> before(storage, storage + from.shape.width * from.shape.height);
    convert_shape(from, to, storage);
    change.fix = to.fix_clashes(to.grid_of(storage), background, shown, to.whole());
    const int width = from.shape.width * from.shape.pixel_aspect;
    const int height = std::min(from.shape.height, to.shape.height);
    change.on_screen = width * height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            change.changed += on_screen_at(before.data(), from.shape, x, y) !=
                              on_screen_at(storage, to.shape, x, y);
    return change;
}
