#include "tools/painter.h"

namespace {

// Pen: a left drag paints the draw colour, a right drag the background, with the current pen;
// with a brush, a left drag stamps the brush and a right drag its shape in the background
// colour. Each move paints from the pixel painted last to the pixel under the pointer, so a
// stroke has no gaps however fast the hand; a press to its release is one step. The pen's
// outline, or the brush, follows the pointer over the drawing area. A move without the
// button means its release went elsewhere (to a dialog): the stroke ends there.
class PenTool : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
        const Document& document = context.document;
        drawing_ = true;
        button_ = event.button;
        color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
        last_ = event.at;
        context.stroke.paint_into();
        paint_to(context, event.at);
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        if (drawing_ && !held(event)) end(context);
        if (drawing_) paint_to(context, event.kept);
        if (event.in_area)
            show_tip(context, event.kept);
        else
            context.view.show_tip({}, false);
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (drawing_ && event.button == button_) end(context);
    }

    bool busy() const override { return drawing_; }

    bool held(const PointerEvent& event) const {
        return button_ == MouseButton::Left ? event.left : event.right;
    }

    void paint_to(ToolContext& context, PixelPos at) {
        const Tip tip = button_ == MouseButton::Left ? Tip::Stamp : Tip::Shape;
        context.painter.paint_line(last_, at, color_, tip);
        context.view.set_cursor(at);
        last_ = at;
    }

    void end(ToolContext& context) {
        drawing_ = false;
        context.stroke.end();
    }

    // A brush shows what a left click would stamp; a pen, its outline.
    static void show_tip(ToolContext& context, PixelPos at) {
        Painter& painter = context.painter;
        context.view.show_tip(painter.pixels_at({at}, context.document.draw_color, Tip::Stamp),
                              !painter.pen.brush);
    }

    bool drawing_ = false;
    MouseButton button_ = MouseButton::Left;
    std::uint8_t color_ = 0;
    PixelPos last_;
};

} // namespace

std::unique_ptr<Tool> pen_tool() { return std::make_unique<PenTool>(); }
