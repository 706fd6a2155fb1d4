#include "selection/block.h"
#include "tools/tool.h"

namespace {

// Select: a left drag selects the rectangle from corner to corner, both included. Shift at the
// release grows it to whole cells (a Shift-click takes one cell); a plain click keeps the
// selection it lands in and drops one it misses. A move without the left button means its
// release went elsewhere (to a dialog): the rectangle ends where the pointer is.
class Select : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left) return;
        Document& document = context.document;
        selecting_ = true;
        start_ = event.at;
        before_ = document.selection();
        document.select(area_between(start_, start_, document.whole()));
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        if (!selecting_) return;
        if (!event.left) return finish(context, event);
        context.document.select(area_between(start_, event.kept, context.document.whole()));
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (selecting_ && event.button == MouseButton::Left) finish(context, event);
    }

    bool busy() const override { return selecting_; }
    bool follows_past_edge() const override { return true; }

    void finish(ToolContext& context, const PointerEvent& event) {
        selecting_ = false;
        Document& document = context.document;
        const PixelArea area = area_between(start_, event.kept, document.whole());
        if (event.shift)
            return document.select(
                snapped_to_cells(area, document.mode().shape.cell, document.whole()));
        if (event.kept != start_) return document.select(area);
        const bool inside = before_ && before_->contains(event.kept);
        document.select(inside ? before_ : std::nullopt);
    }

    bool selecting_ = false;
    PixelPos start_;
    std::optional<PixelArea> before_; // what a click inside it keeps
};

} // namespace

std::unique_ptr<Tool> select_tool() { return std::make_unique<Select>(); }
