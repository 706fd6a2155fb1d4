#include "tools/free_paint.h"
#include "tools/painter.h"

void FreePaint::paint(ToolContext& context, PixelPos at, std::uint8_t color) {
    context.stroke.paint_into();
    context.painter.paint(at, color);
}

// A press paints the one pixel under the pointer, whatever the tool paints on a move.
void FreePaint::press(ToolContext& context, const PointerEvent& event) {
    const Document& document = context.document;
    if (event.button == MouseButton::Left) paint(context, event.at, document.draw_color);
    if (event.button == MouseButton::Right) paint(context, event.at, document.back_color);
}

// With both buttons held the draw colour goes first, then the background.
void FreePaint::move(ToolContext& context, const PointerEvent& event) {
    if (!event.in_area) return;
    if (event.left) {
        context.view.set_cursor(event.at);
        paint_left(context, event.at);
    }
    if (event.right) {
        context.view.set_cursor(event.at);
        paint(context, event.at, context.document.back_color);
    }
}

void FreePaint::paint_left(ToolContext& context, PixelPos at) {
    paint(context, at, context.document.draw_color);
}

void FreePaint::release(ToolContext& context, const PointerEvent&) { context.stroke.end(); }

std::unique_ptr<Tool> free_paint_tool() { return std::make_unique<FreePaint>(); }
