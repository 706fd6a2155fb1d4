#include "sprites/shown_rows.h"
#include "tools/tool.h"

namespace {

// Pick colour: what shows at the screen pixel pressed with the left button (a sprite's pixel, or
// the picture's under it) gives the draw colour, as its palette button would. The picture does
// not change.
class PickColour : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button == MouseButton::Left)
            context.view.choose_colour(shown_colour_at(context.document, event.screen));
    }
    bool paints() const override { return false; }
};

} // namespace

std::unique_ptr<Tool> pick_colour_tool() { return std::make_unique<PickColour>(); }
