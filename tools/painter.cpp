#include "tools/painter.h"
#include "display/displayed_palette.h"
#include <utility>

namespace {

// The points that painting `point` paints: itself (symmetry mirrors it here).
template <class Visit> void mirrored(PixelPos point, Visit visit) { visit(point); }

// The pixels the pen covers at `point`: that pixel (a pen or brush of another shape stamps
// more).
template <class Visit> void stamped(PixelPos point, Visit visit) { visit(point); }

// The colour the ink gives the pixel at `at`: the one asked for, or where a PAL blend is chosen
// and its first colour asked for, the blend's colour on that row (a pattern or a gradient would
// choose it by the place too).
std::uint8_t inked(PixelPos at, std::uint8_t color, const std::optional<PalBlend>& blend) {
    return blend && color == blend->first ? blend->color_on_row(at.row) : color;
}

// Plots with the document's refresh off, and puts it back however the plot ends.
class QuietRefresh {
public:
    explicit QuietRefresh(PictureModel& model)
        : model_(model), kept_(std::exchange(model.refresh, nullptr)) {}
    ~QuietRefresh() { model_.refresh = kept_; }
    QuietRefresh(const QuietRefresh&) = delete;
    QuietRefresh& operator=(const QuietRefresh&) = delete;

private:
    PictureModel& model_;
    PlotRefresh* kept_;
};

} // namespace

template <class Paint> void Painter::each_pixel(PixelPos point, std::uint8_t color, Paint paint) {
    mirrored(point, [&](PixelPos image) {
        stamped(image, [&](PixelPos pixel) { paint(pixel, inked(pixel, color, blend)); });
    });
}

Plotted Painter::plot_chosen(PixelPos at, std::uint8_t color) {
    const Plotted plotted = plot_as_chosen(document_, full_cell, document_.format(), at.column,
                                           at.row, color, lab_palette(shown_palette()));
    painted_ |= plotted.accepted;
    return plotted;
}

// Of a recoloured cell, the pixels that changed are drawn anew, like the painted pixel itself.
void Painter::paint(PixelPos point, std::uint8_t color, ToolView& view) {
    each_pixel(point, color, [&](PixelPos at, std::uint8_t ink) {
        std::vector<std::uint8_t> before;
        PixelArea area;
        if (full_cell == FullCell::ReplaceColour) {
            area = document_.mode().cell_at(at);
            for (int i = 0; i < area.width * area.height; ++i)
                before.push_back(
                    document_.read_pixel(area.left + i % area.width, area.top + i / area.width));
        }
        const Plotted plotted = plot_chosen(at, ink);
        if (!plotted.accepted) return;
        if (plotted.area_recoloured)
            for (int i = 0; i < area.width * area.height; ++i) {
                const PixelPos pixel{area.left + i % area.width, area.top + i / area.width};
                const std::uint8_t now = document_.read_pixel(pixel.column, pixel.row);
                if (now != before[std::size_t(i)]) view.draw_pixel(pixel, now);
            }
        view.draw_pixel(at, plotted.color);
    });
}

void Painter::paint_quietly(const std::vector<PixelPos>& points, std::uint8_t color) {
    const QuietRefresh quiet(document_);
    for (const PixelPos& point : points)
        each_pixel(point, color, [&](PixelPos at, std::uint8_t ink) { plot_chosen(at, ink); });
}

Plotted Painter::plot(PixelPos at, std::uint8_t color) {
    const QuietRefresh quiet(document_);
    return plot_chosen(at, color);
}

bool Painter::take_painted() { return std::exchange(painted_, false); }
