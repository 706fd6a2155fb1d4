#include "full_cell/refused_plot.h"
#include "picture/picture.h"

std::optional<FullArea> full_area_at(const Mode& mode, ConstPixelGrid picture, std::uint8_t back,
                                     PixelPos at) {
    if (!picture.contains(at)) return std::nullopt;
    FullArea full;
    full.cell = mode.cell_at(at);
    full.cell_at = {full.cell.left / mode.shape.cell.width, full.cell.top / mode.shape.cell.height};
    full.area = clipped(mode.colour_area_at(at), picture.whole());
    std::uint16_t met = 0;
    if (mode.shared.background) met |= std::uint16_t(1u << (back & 0x0F));
    for (int row = full.area.top; row <= full.area.bottom(); ++row)
        for (int column = full.area.left; column <= full.area.right(); ++column) {
            const std::uint8_t color = picture.at({column, row}) & 0x0F;
            if (met >> color & 1) continue;
            met |= std::uint16_t(1u << color);
            full.colours.push_back(color);
        }
    return full;
}

std::string full_area_text(const FullArea& full) {
    const std::string cell =
        std::to_string(full.cell_at.column) + ", " + std::to_string(full.cell_at.row);
    const int first = full.area.top - full.cell.top, last = full.area.bottom() - full.cell.top;
    std::string text;
    if (full.area.height == full.cell.height)
        text = "Cell " + cell + " is full: ";
    else if (first == last)
        text = "Row " + std::to_string(first) + " of cell " + cell + " is full: ";
    else
        text = "Rows " + std::to_string(first) + " to " + std::to_string(last) + " of cell " +
               cell + " are full: ";
    for (std::size_t i = 0; i < full.colours.size(); ++i)
        text += (i ? ", " : "") + std::string(colour_names[full.colours[i]]);
    return text;
}
