#include "raster/raster.h"
#include "tools/painter.h"

namespace {

// Fill: the area of one colour around the pixel pressed takes the button's colour, pixel by
// pixel through the painter, as one step. Filling with the area's own colour changes nothing.
class Fill : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        Document& document = context.document;
        if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
        const std::uint8_t color =
            event.button == MouseButton::Left ? document.draw_color : document.back_color;
        if (document.read_pixel(event.at.column, event.at.row) == color) return;
        Document::Edit edit = context.open_edit("Fill");
        const ConstPixelGrid picture = document.grid();
        context.painter.paint_quietly(
            fill_area(picture.pixels, picture.width, picture.height, event.at), color);
        edit.commit();
    }
};

} // namespace

std::unique_ptr<Tool> fill_tool() { return std::make_unique<Fill>(); }
