#pragma once
#include "colour/pal_display.h"
#include "full_cell/full_cell.h"
#include "tools/tool.h"
#include <optional>
#include <vector>

// Every pixel a tool paints goes through here: the point is mirrored by the symmetry, the pen
// stamps each image of it, the ink gives each stamped pixel its colour, and the pixel is
// plotted under the full-cell choice into the document's open edit. Today the symmetry is
// none, the pen one pixel, and the ink solid (the colour the tool asks for) or a PAL blend.
class Painter {
public:
    explicit Painter(Document& document) : document_(document) {}

    // Edit > When a Cell Is Full. The nearest colour is measured in the colours the views show.
    FullCell full_cell = FullCell::KeepColours;
    // A PAL blend chosen from View > PAL Blends: what the tools paint in its first colour goes
    // on alternating picture rows in its two colours, the first on the even rows, so that
    // areas painted apart meet without a seam.
    std::optional<PalBlend> blend;

    // Paints at `point`, each pixel as it lands: its plot refreshes the swatches and the
    // preview band, and the pixel (with any of its area that took the colour too) is drawn in
    // `view`.
    void paint(PixelPos point, std::uint8_t color, ToolView& view);
    // Paints at each point, showing nothing as it goes: the views follow once the edit ends.
    void paint_quietly(const std::vector<PixelPos>& points, std::uint8_t color);
    // Plots one pixel under the full-cell choice, quietly.
    Plotted plot(PixelPos at, std::uint8_t color);

    // Whether anything has been painted since it was last asked.
    bool take_painted();

private:
    template <class Paint> void each_pixel(PixelPos point, std::uint8_t color, Paint paint);
    Plotted plot_chosen(PixelPos at, std::uint8_t color);

    Document& document_;
    bool painted_ = false;
};
