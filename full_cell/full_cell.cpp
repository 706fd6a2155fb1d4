#include "full_cell/full_cell.h"
#include "full_cell/area_colours.h"
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

// The background is never counted, so painting it is never over.
bool over(const Mode& mode, AreaCounts counts, std::uint8_t old, std::uint8_t color,
          std::uint8_t back) {
    if (color == back) return false;
    --counts[old];
    ++counts[color];
    return colours_besides(counts, back) > mode.colours_per_area();
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
Plotted resolve_over(PictureModel& model, FullCell choice, const PlotArea& area, AreaCounts counts,
                     std::uint8_t old, std::uint8_t color, const LabPalette& shown) {
    switch (choice) {
    case FullCell::ReplaceColour: {
        const std::uint8_t replaced =
            old != model.back_color ? old : rarest_colour(model, area, counts, color);
        recolour(model, area, replaced, color);
        return {true, color, true};
    }
    case FullCell::NearestColour:
        // The colours the other pixels hold, and the background that every area shows.
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
    const Mode* mode = find_mode(format);
    if (!mode) return {false, color, false};
    const PlotArea area = mode->colour_area_at({column, row});
    // The swatches show the area as the analysis finds it before the write, as for any plot.
    model.analyse(area);
    model.old_color = model.read_pixel(column, row);
    Plotted plotted{false, color, false};
    if (mode->whole().contains({column, row})) {
        const std::uint8_t old = model.old_color & 0x0F;
        const AreaCounts counts = count_area(model, area);
        plotted = over(*mode, counts, old, color, model.back_color)
                      ? resolve_over(model, choice, area, counts, old, color, shown)
                      : Plotted{true, color, false};
        if (plotted.accepted)
            model.write_pixel(std::uint32_t(column), std::uint32_t(row), plotted.color);
    }
    model.refresh_windows(column, row);
    if (plotted.area_recoloured && model.refresh)
        model.refresh->redraw_preview_band(std::uint32_t(area.left), std::uint32_t(area.top));
    return plotted;
}
