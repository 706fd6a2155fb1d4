#include "full_cell/full_cell.h"
#include "clashes/area_colours.h"
#include "modes/mode.h"

PlotArea plot_area(std::uint8_t format, std::int32_t column, std::int32_t row) {
    return mode_of(format).colour_area_at({column, row});
}

namespace {

AreaCounts count_area(const PictureModel& model, const PlotArea& area) {
    AreaCounts counts{};
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c)
            ++counts[model.read_pixel(area.left + c, area.top + r) & 0x0F];
    return counts;
}

// Whether the mode still shows the pixel's cell once `color` is written there.
bool shows_with(const Mode& mode, const PictureModel& model, std::int32_t column, std::int32_t row,
                std::uint8_t color) {
    return mode.shows_with(mode.grid_of(model.picture.data()), model.back_color, {column, row},
                           color);
}

// Of the area's colours besides the background and `color`, the one with the fewest pixels;
// between equals, the one whose first pixel comes last in scan order.
std::uint8_t rarest_colour(const PictureModel& model, const PlotArea& area,
                           const AreaCounts& counts, std::uint8_t color) {
    std::uint8_t rarest = model.back_color;
    AreaCounts seen{};
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c) {
            const std::uint8_t p = model.read_pixel(area.left + c, area.top + r) & 0x0F;
            if (p == model.back_color || p == color || seen[p]++) continue;
            if (rarest == model.back_color || counts[p] <= counts[rarest]) rarest = p;
        }
    return rarest;
}

void recolour(PictureModel& model, const PlotArea& area, std::uint8_t from, std::uint8_t to) {
    for (int r = 0; r < area.height; ++r)
        for (int c = 0; c < area.width; ++c)
            if ((model.read_pixel(area.left + c, area.top + r) & 0x0F) == from)
                model.write_pixel(std::uint32_t(area.left + c), std::uint32_t(area.top + r), to);
}

// What an over plot writes under `choice`; the plot is refused when it writes nothing.
Plotted resolve_over(PictureModel& model, FullCell choice, const Mode& mode, std::int32_t column,
                     std::int32_t row, AreaCounts counts, std::uint8_t color,
                     const LabPalette& shown) {
    const PlotArea area = mode.colour_area_at({column, row});
    const std::uint8_t old = model.read_pixel(column, row) & 0x0F;
    switch (choice) {
    case FullCell::ReplaceColour: {
        const std::uint8_t replaced =
            old != model.back_color ? old : rarest_colour(model, area, counts, color);
        // FLI rows of background alone, in a cell that cannot show anyway, give up nothing.
        if (replaced == model.back_color) return {true, color, false, {}};
        recolour(model, area, replaced, color);
        // A colour the cell's areas share (FLI's colour RAM) is replaced in all of them.
        if (!shows_with(mode, model, column, row, color))
            recolour(model, mode.cell_at({column, row}), replaced, color);
        return {true, color, true, {}};
    }
    case FullCell::NearestColour:
        // The colours the other pixels hold, and the background that every area shows: no
        // colour the area lacks, so an area that showed still shows, in FLI too.
        --counts[old];
        counts[model.back_color] = 1;
        return {true, nearest_kept(shown[color], counts, shown), false, {}};
    case FullCell::PaintFreely:
        return {true, color, false, {}};
    default:
        return {false, color, false, {}};
    }
}

} // namespace

Plotted plot_as_chosen(PictureModel& model, FullCell choice, std::uint8_t format,
                       std::int32_t column, std::int32_t row, std::uint8_t color,
                       const LabPalette& shown) {
    const Mode* mode = find_mode(format);
    if (!mode) return {false, color, false, {}};
    if (choice == FullCell::KeepColours) {
        const PlotResult plot = model.plot_in_mode(*mode, column, row, color);
        return {plot.accepted, color, false, plot.found().back()};
    }
    // What the mode's first judgement analyses, before the write, as for any plot.
    const Analysis found = model.analyse(block_at({column, row}, mode->plot_order[0]));
    model.old_color = model.read_pixel(column, row);
    Plotted plotted{false, color, false, found};
    if (mode->whole().contains({column, row})) {
        const AreaCounts counts = count_area(model, mode->colour_area_at({column, row}));
        // The background is never counted, so painting it is never over.
        const bool over =
            color != model.back_color && !shows_with(*mode, model, column, row, color);
        plotted = over ? resolve_over(model, choice, *mode, column, row, counts, color, shown)
                       : Plotted{true, color, false, {}};
        plotted.found = found;
        if (plotted.accepted)
            model.write_pixel(std::uint32_t(column), std::uint32_t(row), plotted.color);
    }
    return plotted;
}
