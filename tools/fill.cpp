#include "raster/raster.h"
#include "tools/painter.h"

namespace {

// Fill: the area of one colour around the pixel pressed takes the button's colour, pixel by
// pixel through the painter, as one step. Filling with the area's own colour changes nothing.
// With a gradient chosen the area is filled when the button is let go, the gradient running
// across it along the drag (top to bottom for a click).
class Fill : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        const Document& document = context.document;
        if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
        button_ = event.button;
        seed_ = event.at;
        color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
        if (context.painter.ink.pattern.kind() == PatternKind::Gradient)
            dragging_ = true;
        else
            fill(context, seed_);
    }

    void move(ToolContext&, const PointerEvent& event) override {
        if (dragging_ && !(button_ == MouseButton::Left ? event.left : event.right))
            dragging_ = false; // let go elsewhere: dropped
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (!dragging_ || event.button != button_) return;
        dragging_ = false;
        fill(context, event.kept);
    }

    bool busy() const override { return dragging_; }
    bool follows_past_edge() const override { return true; }

    void fill(ToolContext& context, PixelPos end) const {
        Painter& painter = context.painter;
        if (painter.shown_colour(seed_) == color_) return;
        Document::Edit edit = context.open_edit("Fill");
        const std::vector<PixelPos> area = painter.area_of_one_colour(seed_);
        painter.ink.run = GradientRun::over(area, seed_, end);
        painter.paint_quietly(area, color_);
        painter.ink.run.reset();
        edit.commit();
    }

    bool dragging_ = false;
    MouseButton button_ = MouseButton::Left;
    PixelPos seed_;
    std::uint8_t color_ = 0;
};

} // namespace

std::unique_ptr<Tool> fill_tool() { return std::make_unique<Fill>(); }
