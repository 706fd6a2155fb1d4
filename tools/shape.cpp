#include "tools/shape.h"
#include "tools/painter.h"

void Shape::press(ToolContext& context, const PointerEvent& event) {
    if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
    dragging_ = true;
    start_ = event.at;
    button_ = event.button;
    const Document& document = context.document;
    color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
    show(context, {start_});
}

bool Shape::held(const PointerEvent& event) const {
    return button_ == MouseButton::Left ? event.left : event.right;
}

Tip Shape::tip() const { return button_ == MouseButton::Left ? Tip::Stamp : Tip::Shape; }

void Shape::show(ToolContext& context, const std::vector<PixelPos>& band) const {
    for (const InkedPixel& pixel : context.painter.pixels_at(band, color_, tip()))
        context.view.draw_pixel(pixel.at, pixel.color);
}

void Shape::move(ToolContext& context, const PointerEvent& event) {
    if (!dragging_) return;
    dragging_ = held(event);
    context.view.redraw();
    if (dragging_) show(context, pixels(start_, event.kept, event.shift));
}

// The shape ends where the button is let go. The view is drawn anew even when every pixel was
// refused, as the band must go.
void Shape::release(ToolContext& context, const PointerEvent& event) {
    if (!dragging_ || event.button != button_) return;
    dragging_ = false;
    Document::Edit edit = context.open_edit(label());
    context.painter.paint_quietly(pixels(start_, event.kept, event.shift), color_, tip());
    if (!edit.commit()) context.view.redraw();
}
