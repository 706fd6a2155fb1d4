#include "tools/shape.h"
#include "tools/painter.h"

void Shape::press(ToolContext& context, const PointerEvent& event) {
    if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
    dragging_ = true;
    start_ = event.at;
    button_ = event.button;
    const Document& document = context.document;
    color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
    show(context, {start_}, event);
}

bool Shape::held(const PointerEvent& event) const {
    return button_ == MouseButton::Left ? event.left : event.right;
}

Tip Shape::tip(const PointerEvent& pointer) const {
    if (filled(pointer)) return Tip::Pixel;
    return button_ == MouseButton::Left ? Tip::Stamp : Tip::Shape;
}

// A gradient runs over the shape along the drag.
void Shape::show(ToolContext& context, const std::vector<PixelPos>& band,
                 const PointerEvent& pointer) const {
    Painter& painter = context.painter;
    painter.ink.run = GradientRun::over(band, start_, pointer.kept);
    for (const InkedPixel& pixel : painter.pixels_at(band, color_, tip(pointer)))
        context.view.draw_pixel(pixel.at, pixel.color);
    painter.ink.run.reset();
}

void Shape::move(ToolContext& context, const PointerEvent& event) {
    if (!dragging_) return;
    dragging_ = held(event);
    context.view.redraw();
    if (dragging_) show(context, pixels(context.painter, start_, event), event);
}

// The shape ends where the button is let go. The view is drawn anew even when every pixel was
// refused, as the band must go.
void Shape::release(ToolContext& context, const PointerEvent& event) {
    if (!dragging_ || event.button != button_) return;
    dragging_ = false;
    Document::Edit edit = context.open_edit(label());
    Painter& painter = context.painter;
    const std::vector<PixelPos> shape = pixels(context.painter, start_, event);
    painter.ink.run = GradientRun::over(shape, start_, event.kept);
    painter.paint_quietly(shape, color_, tip(event));
    painter.ink.run.reset();
    if (!edit.commit()) context.view.redraw();
}
