#include "picture/picture.h"
#include "modes/mode.h"
#include <algorithm>

const std::array<const char*, 16> colour_names = {
    "black", "white",       "red",        "cyan",      "green",     "purple",
    "blue",  "yellow",      "orange",     "brown",     "light red", "dark grey",
    "grey",  "light green", "light blue", "light grey"};

std::uint8_t PictureModel::read_pixel(std::int32_t column, std::int32_t row) const {
    if (column < 0 || column >= shape.width || row < 0 || row >= shape.height) return 0;
    return picture[row * shape.width + column];
}

void PictureModel::write_pixel(std::uint32_t column, std::uint32_t row, std::uint8_t color) {
    if (column >= std::uint32_t(shape.width) || row >= std::uint32_t(shape.height)) return;
    if (write_watch) write_watch->writing(std::int32_t(column), std::int32_t(row));
    picture[row * std::uint32_t(shape.width) + column] = color;
}

namespace {

// The analyses are those of the Multicolor cell and of one of its rows.
const CellSize kCell = mode_of(fmtMulticolor).shape.cell;
const CellSize kCellRow{kCell.width, 1};

} // namespace

void PictureModel::analyse_cell(std::int32_t column, std::int32_t row) {
    analyse(block_at({column, row}, kCell));
}

void PictureModel::analyse_row(std::int32_t column, std::int32_t row) {
    analyse(block_at({column, row}, kCellRow));
}

// Row by row from the top, left to right within each row. Within the picture the pixels are
// read straight from their rows; past its edges read_pixel gives 0.
void PictureModel::analyse(const PixelArea& area) {
    if (!shared_background) return analyse_own(area);
    cell_color1 = cell_color2 = cell_color3 = back_color;
    cell_count = 0;
    const bool inside = 0 <= area.left && area.right() < shape.width && 0 <= area.top &&
                        area.bottom() < shape.height;
    for (int r = 0; r < area.height; ++r) {
        if (!inside) {
            for (int c = 0; c < area.width; ++c) take(read_pixel(area.left + c, area.top + r));
            continue;
        }
        const std::uint8_t* line = picture.data() + (area.top + r) * shape.width + area.left;
        for (int c = 0; c < area.width; ++c) take(line[c]);
    }
    count_colors();
}

// With no background shared, the slots hold the area's first three colours in scan order, an
// empty slot repeating the one before; the count is how many colours the area holds.
void PictureModel::analyse_own(const PixelArea& area) {
    std::uint16_t seen = 0;
    std::array<std::uint8_t, 3> slots{};
    int found = 0;
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c) {
            const std::uint8_t p = scan_color = read_pixel(area.left + c, area.top + r);
            if (seen >> (p & 0x0F) & 1) continue;
            seen |= std::uint16_t(1u << (p & 0x0F));
            if (found < 3) slots[std::size_t(found)] = p;
            ++found;
        }
    for (int slot = std::max(found, 1); slot < 3; ++slot)
        slots[std::size_t(slot)] = slots[std::size_t(slot) - 1];
    cell_color1 = slots[0];
    cell_color2 = slots[1];
    cell_color3 = slots[2];
    cell_count = std::uint8_t(found);
    area_colours_ = seen;
}

bool PictureModel::holds(std::uint8_t color) const {
    return (area_colours_ >> (color & 0x0F) & 1) != 0;
}

void PictureModel::take(std::uint8_t p) {
    scan_color = p;
    if (p == back_color || p == cell_color1 || p == cell_color2 || p == cell_color3) return;
    if (cell_color1 == back_color)
        cell_color1 = p;
    else if (cell_color2 == back_color)
        cell_color2 = p;
    else if (cell_color3 == back_color)
        cell_color3 = p;
}

// The distinct values among the three slots and the background that differ from the colour
// scanned last. Empty slots hold the background, so they never count.
void PictureModel::count_colors() {
    const std::uint8_t s = scan_color, c1 = cell_color1, c2 = cell_color2, c3 = cell_color3;
    const std::uint8_t b = back_color;
    cell_count = 0;
    if (c1 != s && c1 != c2 && c1 != c3 && c1 != b) ++cell_count;
    if (c2 != s && c2 != c3 && c2 != b) ++cell_count;
    if (c3 != s && c3 != b) ++cell_count;
    if (s != b) ++cell_count;
}

bool PictureModel::inside_picture(std::int32_t column, std::int32_t row) const {
    return 0 <= column && column < shape.width && 0 <= row && row < shape.height;
}

bool PictureModel::plot(std::int32_t column, std::int32_t row, std::uint8_t color) {
    old_color = read_pixel(column, row);
    // The limit only guards background pixels: a coloured pixel may always be painted over.
    // Past the picture's edge there is nothing to paint, so nothing is accepted there.
    const bool accepted =
        inside_picture(column, row) && !(cell_count == 3 && old_color == back_color);
    return write_plotted(accepted, column, row, color);
}

bool PictureModel::write_plotted(bool accepted, std::int32_t column, std::int32_t row,
                                 std::uint8_t color) {
    if (accepted) write_pixel(std::uint32_t(column), std::uint32_t(row), color);
    refresh_windows(column, row);
    return accepted;
}

bool PictureModel::plot_in(CellSize area, std::int32_t column, std::int32_t row,
                           std::uint8_t color) {
    analyse(block_at({column, row}, area));
    return plot(column, row, color);
}

bool PictureModel::plot_multicolor(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return plot_in(kCell, column, row, color);
}

bool PictureModel::plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return plot_in(kCellRow, column, row, color);
}

bool PictureModel::plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row,
                              std::uint8_t color) {
    const Mode* mode = find_mode(format);
    if (!mode) return false;
    if (!mode->shared.background) {
        // A colour the area holds is always taken; another only if the area still shows.
        analyse(block_at({column, row}, mode->plot_order[0]));
        old_color = read_pixel(column, row);
        const bool accepted = inside_picture(column, row) &&
                              mode->shows_with(picture.data(), back_color, {column, row}, color);
        return write_plotted(accepted || (inside_picture(column, row) && holds(color)), column, row,
                             color);
    }
    for (int step = 0; step < mode->plot_steps; ++step)
        if (plot_in(mode->plot_order[std::size_t(step)], column, row, color)) return true;
    return false;
}

void PictureModel::refresh_windows(std::int32_t column, std::int32_t row) {
    if (!refresh) return;
    refresh->show_color1(cell_color1);
    refresh->show_color2(cell_color2);
    refresh->show_color3(cell_color3);
    refresh->show_back();
    refresh->redraw_preview_band(std::uint32_t(column), std::uint32_t(row));
}
