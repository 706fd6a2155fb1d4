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

void Shape::show(ToolContext& context, const std::vector<PixelPos>& band) const {
    for (const PixelPos& at : band) context.view.draw_pixel(at, color_);
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
    context.painter.paint_quietly(pixels(start_, event.kept, event.shift), color_);
    if (!edit.commit()) context.view.redraw();
}
