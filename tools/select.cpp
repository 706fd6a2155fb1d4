#include "raster/raster.h"
#include "selection/block.h"
#include "selection/pixel_selection.h"
#include "tools/tool.h"
#include <utility>
#include <vector>

namespace {

// Select: a left drag selects the rectangle from corner to corner, both included. Shift at the
// release grows it to whole cells (a Shift-click takes one cell); a plain click keeps the
// selection it lands in and drops one it misses. A move without the left button means its
// release went elsewhere (to a dialog): the selection ends where the pointer is.
//
// With the lasso chosen, the drag draws an outline instead: while it goes, the pixels it passes
// through are selected, so the ants show it; at the release it is closed from its last point
// back to its first and the pixels within it are selected, worked out once. A click with Ctrl
// takes the area of the clicked colour that holds the pixel (the wand), with Shift and Ctrl
// every pixel of that colour, whichever shape is chosen.
class Select : public Tool {
    bool paints() const override { return false; }
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left) return;
        Document& document = context.document;
        if (event.ctrl) return select_colour(document, event);
        selecting_ = true;
        start_ = event.at;
        before_ = document.selected_pixels();
        outline_.assign(1, event.kept);
        traced_.assign(std::size_t(document.whole().width * document.whole().height), 0);
        document.select(area_between(start_, start_, document.whole()));
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        if (!selecting_) return;
        if (!event.left) return finish(context, event);
        Document& document = context.document;
        if (context.select_shape == SelectShape::Rectangle)
            return document.select(area_between(start_, event.kept, document.whole()));
        if (event.kept == outline_.back()) return;
        trace(document, outline_.back(), event.kept);
        outline_.push_back(event.kept);
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (selecting_ && event.button == MouseButton::Left) finish(context, event);
    }

    bool busy() const override { return selecting_; }
    bool follows_past_edge() const override { return true; }

    static void select_colour(Document& document, const PointerEvent& event) {
        if (!document.whole().contains(event.at)) return;
        const ConstPixelGrid picture = std::as_const(document).grid();
        if (event.shift)
            return document.select(
                PixelSelection::of_colour(picture, picture.row(event.at.row)[event.at.column]));
        document.select(PixelSelection::wand(picture, event.at));
    }

    // The pixels of the line from `from` to `to` join those the outline passed through, which
    // become the selection. Only the line's pixels are worked on, and the picture's once.
    void trace(Document& document, PixelPos from, PixelPos to) {
        const PixelArea whole = document.whole();
        for (PixelPos at : line_pixels(from, to))
            if (whole.contains(at)) traced_[std::size_t(at.row * whole.width + at.column)] = 1;
        document.select(PixelSelection(whole, traced_));
    }

    void finish(ToolContext& context, const PointerEvent& event) {
        selecting_ = false;
        Document& document = context.document;
        if (context.select_shape == SelectShape::Lasso && outline_.size() > 1) {
            if (event.kept != outline_.back()) outline_.push_back(event.kept);
            return document.select(PixelSelection::lasso(outline_, document.whole()));
        }
        const PixelArea area = area_between(start_, event.kept, document.whole());
        if (event.shift)
            return document.select(
                snapped_to_cells(area, document.mode().shape.cell, document.whole()));
        if (event.kept != start_) return document.select(area);
        document.select(before_.contains(event.kept) ? before_ : PixelSelection());
    }

    bool selecting_ = false;
    PixelPos start_;
    PixelSelection before_;            // what a click inside it keeps
    std::vector<PixelPos> outline_;    // the lasso's points so far
    std::vector<std::uint8_t> traced_; // over the picture, 1 where the outline has passed
};

} // namespace

std::unique_ptr<Tool> select_tool() { return std::make_unique<Select>(); }
