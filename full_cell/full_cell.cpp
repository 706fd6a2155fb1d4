#include "full_cell/full_cell.h"
#include "c64/fli.h"
#include "full_cell/area_colours.h"

PlotArea cell_area(std::int32_t column, std::int32_t row) { return {column & ~3, row & ~7, 8}; }

PlotArea plot_area(std::uint8_t format, std::int32_t column, std::int32_t row) {
    if (format != fmtFli) return cell_area(column, row);
    if (row < kLastScreenRow) return {column & ~3, row, 1};
    return {column & ~3, kLastScreenRow, kPictureRows - kLastScreenRow};
}

namespace {

AreaCounts count_area(const PictureModel& model, const PlotArea& area) {
    AreaCounts counts{};
    for (int r = 0; r < area.rows; ++r)
        for (int c = 0; c < 4; ++c) ++counts[model.read_pixel(area.left + c, area.top + r) & 0x0F];
    return counts;
}

// Whether FLI shows the cell of the pixel exactly once `color` is written there: besides the
// background and two colours of its own, each row has only the colour all eight rows share.
bool fli_shows_cell_with(const PictureModel& model, std::int32_t column, std::int32_t row,
                         std::uint8_t color) {
    const int cell = cell_of(column, row);
    CellRowCounts rows = cell_row_counts(model.picture.data(), cell);
    AreaCounts& own = rows[std::size_t(row % kCellHeight)];
    --own[model.read_pixel(column, row) & 0x0F];
    ++own[color];
    return fli_shows_cell(rows, model.back_color, cell);
}

// The background is never counted, so painting it is never over.
bool over(const PictureModel& model, std::uint8_t format, std::int32_t column, std::int32_t row,
          AreaCounts counts, std::uint8_t color) {
    if (color == model.back_color) return false;
    if (format == fmtFli) return !fli_shows_cell_with(model, column, row, color);
    --counts[model.read_pixel(column, row) & 0x0F];
    ++counts[color];
    return colours_besides(counts, model.back_color) > 3;
}

// Of the area's colours besides the background and `color`, the one with the fewest pixels;
// between equals, the one whose first pixel comes last in scan order.
std::uint8_t rarest_colour(const PictureModel& model, const PlotArea& area,
                           const AreaCounts& counts, std::uint8_t color) {
    std::uint8_t rarest = model.back_color;
    AreaCounts seen{};
    for (int r = 0; r < area.rows; ++r)
        for (int c = 0; c < 4; ++c) {
            const std::uint8_t p = model.read_pixel(area.left + c, area.top + r) & 0x0F;
            if (p == model.back_color || p == color || seen[p]++) continue;
            if (rarest == model.back_color || counts[p] <= counts[rarest]) rarest = p;
        }
    return rarest;
}

void recolour(PictureModel& model, const PlotArea& area, std::uint8_t from, std::uint8_t to) {
    for (int r = 0; r < area.rows; ++r)
        for (int c = 0; c < 4; ++c)
            if ((model.read_pixel(area.left + c, area.top + r) & 0x0F) == from)
                model.write_pixel(std::uint32_t(area.left + c), std::uint32_t(area.top + r), to);
}

// What an over plot writes under `choice`; the plot is refused when it writes nothing.
Plotted resolve_over(PictureModel& model, FullCell choice, std::uint8_t format, std::int32_t column,
                     std::int32_t row, AreaCounts counts, std::uint8_t color,
                     const LabPalette& shown) {
    const PlotArea area = plot_area(format, column, row);
    const std::uint8_t old = model.read_pixel(column, row) & 0x0F;
    switch (choice) {
    case FullCell::ReplaceColour: {
        const std::uint8_t replaced =
            old != model.back_color ? old : rarest_colour(model, area, counts, color);
        // FLI rows of background alone, in a cell that cannot show anyway, give up nothing.
        if (replaced == model.back_color) return {true, color, false};
        recolour(model, area, replaced, color);
        // The colour the cell's rows share is replaced in all of them, as its colour RAM is.
        if (format == fmtFli && !fli_shows_cell_with(model, column, row, color))
            recolour(model, cell_area(column, row), replaced, color);
        return {true, color, true};
    }
    case FullCell::NearestColour:
        // The colours the other pixels hold, and the background that every area shows: no
        // colour the area lacks, so an area that showed still shows, in FLI too.
        --counts[old];
        counts[model.back_color] = 1;
        return {true, nearest_kept(shown[color], counts, shown), false};
    case FullCell::PaintFreely:
        return {true, color, false};
    default:
        return {false, color, false};
    }
}

} // namespace

Plotted plot_as_chosen(PictureModel& model, FullCell choice, std::uint8_t format,
                       std::int32_t column, std::int32_t row, std::uint8_t color,
                       const LabPalette& shown) {
    if (choice == FullCell::KeepColours)
        return {model.plot_pixel(format, column, row, color), color, false};
    if (format != fmtMulticolor && format != fmtFli) return {false, color, false};
    const PlotArea area = plot_area(format, column, row);
    // The swatches show the area as the analysis finds it before the write, as for any plot.
    if (format == fmtFli)
        model.analyse_row(column, row);
    else
        model.analyse_cell(column, row);
    model.old_color = model.read_pixel(column, row);
    Plotted plotted{false, color, false};
    const bool inside = 0 <= column && column < kPictureColumns && 0 <= row && row < kPictureRows;
    if (inside) {
        const AreaCounts counts = count_area(model, area);
        plotted = over(model, format, column, row, counts, color)
                      ? resolve_over(model, choice, format, column, row, counts, color, shown)
                      : Plotted{true, color, false};
        if (plotted.accepted)
            model.write_pixel(std::uint32_t(column), std::uint32_t(row), plotted.color);
    }
    model.refresh_windows(column, row);
    // The band from the cell's corner covers every pixel a recolouring reaches.
    const PlotArea cell = cell_area(column, row);
    if (plotted.area_recoloured && model.refresh)
        model.refresh->redraw_preview_band(std::uint32_t(cell.left), std::uint32_t(cell.top));
    return plotted;
}
