#include "tools/tool.h"

namespace {

// Pick colour: the pixel pressed with the left button gives the draw colour, as its palette
// button would. The picture does not change.
class PickColour : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button == MouseButton::Left)
            context.view.choose_colour(context.document.read_pixel(event.at.column, event.at.row));
    }
};

} // namespace

std::unique_ptr<Tool> pick_colour_tool() { return std::make_unique<PickColour>(); }
