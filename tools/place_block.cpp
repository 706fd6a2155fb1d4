#include "selection/pixel_selection.h"
#include "tools/painter.h"

namespace {

// While a pasted block floats it follows the pointer (at the view's edge when the pointer is
// past it, as the view scrolls towards it), and a left click puts it down with its
// top-left pixel at the pixel clicked, as one step: through the colour limit (the full-cell
// choice decides the pixels of the areas that the whole block would overfill), or with Shift
// exactly as it is. The pixels it holds are selected where they land, ready for a flip or another
// copy. The click, up to its release, is the block's.
class PlaceBlock : public Tool {
    bool paints() const override { return false; }
    void press(ToolContext& context, const PointerEvent& event) override {
        placing_ = true;
        if (event.button == MouseButton::Left) put_down(context, event.at, event.shift);
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        Document& document = context.document;
        if (document.floating() && event.kept != document.floating_at())
            document.move_floating(event.kept);
    }

    void release(ToolContext&, const PointerEvent&) override { placing_ = false; }
    bool busy() const override { return placing_; }
    bool follows_past_edge() const override { return true; }

    static void put_down(ToolContext& context, PixelPos at, bool exact) {
        Document& document = context.document;
        Document::Edit edit = context.open_edit("Paste");
        const PixelBlock block = *document.take_floating();
        const PixelArea target = area_between(
            at, {at.column + block.width - 1, at.row + block.height - 1}, document.whole());
        document.select(clipped(held_pixels(block, at), document.whole()));
        PastePlot plot;
        if (context.painter.full_cell != FullCell::KeepColours)
            plot = [&](PixelPos pixel, std::uint8_t color) { context.painter.plot(pixel, color); };
        paste_block(edit.pixels(target), document.back_color, document.mode(), block, at, exact,
                    plot);
        edit.commit();
    }

    bool placing_ = false;
};

} // namespace

std::unique_ptr<Tool> place_block_tool() { return std::make_unique<PlaceBlock>(); }
