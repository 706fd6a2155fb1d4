#include "picture/picture.h"
#include "modes/mode.h"
#include <algorithm>
#include <bit>

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
    std::uint8_t& pixel = picture[row * std::uint32_t(shape.width) + column];
    if (keeping_) kept_.change(pixels(), {std::int32_t(column), std::int32_t(row)}, pixel, color);
    pixel = color;
}

namespace {

// The analyses are those of the Multicolor cell and of one of its rows.
const CellSize kCell = mode_of(fmtMulticolor).shape.cell;
const CellSize kCellRow{kCell.width, 1};

} // namespace

Analysis PictureModel::analyse_cell(std::int32_t column, std::int32_t row) {
    return analyse(block_at({column, row}, kCell));
}

Analysis PictureModel::analyse_row(std::int32_t column, std::int32_t row) {
    return analyse(block_at({column, row}, kCellRow));
}

Analysis PictureModel::last_analysis() const {
    return {cell_color1, cell_color2, cell_color3, scan_color, cell_count};
}

// The slots hold the area's first three colours, reading its rows from the top, each left to
// right, past the picture's edges as 0; the colour read last is the scan colour. Where the areas
// share a background, it takes no slot and fills those left empty, and the count is that of
// count_colors. Otherwise an empty slot repeats the one before, and the count is how many
// colours the area holds.
Analysis PictureModel::analyse(const PixelArea& area) {
    const AreaScan* kept = keeping_ ? kept_.of(pixels(), area) : nullptr;
    const AreaScan found = kept ? *kept : AreaScan(pixels(), area);
    // Slots of int: bytes written one by one and read back two at a time stall the processor.
    std::array<int, 3> slots{};
    std::size_t filled = 0;
    found.firsts(area, shared_background ? back_color : -1, [&](PixelPos at) {
        if (filled < slots.size()) slots[filled++] = read_pixel(at.column, at.row);
    });
    for (std::size_t slot = filled; slot < slots.size(); ++slot)
        slots[slot] = shared_background ? back_color : slots[slot > 0 ? slot - 1 : 0];
    cell_color1 = std::uint8_t(slots[0]);
    cell_color2 = std::uint8_t(slots[1]);
    cell_color3 = std::uint8_t(slots[2]);
    scan_color = read_pixel(area.right(), area.bottom());
    if (shared_background) {
        count_colors();
    } else {
        cell_count = std::uint8_t(std::popcount(found.colours()));
        area_colours_ = found.colours();
    }
    return last_analysis();
}

bool PictureModel::holds(std::uint8_t color) const {
    return (area_colours_ >> (color & 0x0F) & 1) != 0;
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

PlotResult& PictureModel::plot(PlotResult& result, std::uint8_t color) {
    old_color = read_pixel(result.at.column, result.at.row);
    // The limit only guards background pixels: a coloured pixel may always be painted over.
    // Past the picture's edge there is nothing to paint, so nothing is accepted there.
    const bool accepted = inside_picture(result.at.column, result.at.row) &&
                          !(cell_count == 3 && old_color == back_color);
    return write_plotted(result, accepted, color);
}

PlotResult& PictureModel::write_plotted(PlotResult& result, bool accepted, std::uint8_t color) {
    if (accepted) write_pixel(std::uint32_t(result.at.column), std::uint32_t(result.at.row), color);
    result.accepted = accepted;
    result.judgements[std::size_t(result.judged++)] = last_analysis();
    return result;
}

PlotResult PictureModel::plot_in(CellSize area, std::int32_t column, std::int32_t row,
                                 std::uint8_t color) {
    PlotResult result{.at = {column, row}};
    analyse(block_at({column, row}, area));
    return plot(result, color);
}

PlotResult PictureModel::plot_multicolor(std::int32_t column, std::int32_t row,
                                         std::uint8_t color) {
    return plot_in(kCell, column, row, color);
}

PlotResult PictureModel::plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return plot_in(kCellRow, column, row, color);
}

PlotResult PictureModel::plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row,
                                    std::uint8_t color) {
    if (format != fmtMulticolor && format != fmtFli) return {.at = {column, row}};
    return plot_in_mode(mode_of(format), column, row, color);
}

PlotResult PictureModel::plot_in_mode(const Mode& mode, std::int32_t column, std::int32_t row,
                                      std::uint8_t color) {
    PlotResult result{.at = {column, row}};
    const bool inside = inside_picture(column, row);
    if (!mode.shared.background) {
        // A colour the area holds is always taken; another only if the area still shows.
        analyse(block_at({column, row}, mode.plot_order[0]));
        old_color = read_pixel(column, row);
        const bool accepted = inside && (mode.shows_with(mode.grid_of(picture.data()), back_color,
                                                         {column, row}, color) ||
                                         holds(color));
        return write_plotted(result, accepted, color);
    }
    for (int step = 0; step < mode.plot_steps && !result.accepted; ++step) {
        analyse(block_at({column, row}, mode.plot_order[std::size_t(step)]));
        plot(result, color);
    }
    return result;
}

PictureModel::KeepingScans::KeepingScans(PictureModel& model) : model_(model) {
    model_.kept_.start_round(model_.pixels());
    model_.keeping_ = true;
}

PictureModel::KeepingScans::~KeepingScans() { model_.keeping_ = false; }
