// The pointer over the zoom view: each press, move and release goes to the tool chosen in the
// frame (a tool whose gesture is under way keeps it to the end), or to the placing of a pasted
// block while one floats; the middle button drags the view. The tools are tools/'.
#include "app/Main.h"
#include "zoom/zoom_window.h"
#include <algorithm>

static bool in_drawing_area(int x, int y) {
    return 0 < x && x < kViewWidth && 0 < y && y < kViewHeight;
}

Tool* Tokno2::chosen_tool() const {
    if (floating()) return placing_.get();
    const ToolRow* row = tool_row(okno1->tool_mode);
    return row ? tools_[std::size_t(row - tool_rows().data())].get() : nullptr;
}

Tool* Tokno2::tool_for_moves() const {
    return gesture_ && gesture_->busy() ? gesture_ : chosen_tool();
}

// The picture pixel under a point, kept within the view when the pointer has left it.
PixelPos Tokno2::view_pixel_at(int x, int y) const {
    const int column = std::clamp(x, 0, int(view_cols * cell_w) - 1) / int(cell_w);
    const int row = std::clamp(y, 0, int(view_rows * cell_h) - 1) / int(cell_h);
    return {scroll_x + column, scroll_y + row};
}

// The view cell comes from an unsigned division, so a position left of or above the window
// lands far outside the picture.
PointerEvent Tokno2::pointer_event(TMouseButton button, TShiftState shift, int x, int y) const {
    PointerEvent event;
    event.at = {scroll_x + std::int32_t(std::uint32_t(x) / cell_w),
                scroll_y + std::int32_t(std::uint32_t(y) / cell_h)};
    event.kept = view_pixel_at(x, y);
    event.button = button == mbLeft    ? MouseButton::Left
                   : button == mbRight ? MouseButton::Right
                                       : MouseButton::Middle;
    event.left = shift & ssLeft;
    event.right = shift & ssRight;
    event.shift = shift & ssShift;
    event.in_area = in_drawing_area(x, y);
    return event;
}

void Tokno2::FormMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!in_drawing_area(X, Y)) return;
    const PointerEvent event = pointer_event(Button, Shift, X, Y);
    set_cursor(event.at);
    // No tool paints with the middle button: it drags the view.
    if (Button == mbMiddle) return start_panning(X, Y);
    Tool* tool = chosen_tool();
    if (!tool) return;
    tool->press(tools_context_, event);
    gesture_ = tool->busy() ? tool : nullptr;
    update_clash_marks();
}

void Tokno2::FormMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    if (panning_ && (Shift & ssMiddle)) pan_to(X, Y);
    const PointerEvent event = pointer_event(mbLeft, Shift, X, Y);
    if (Tool* tool = tool_for_moves()) tool->move(tools_context_, event);
    update_clash_marks();
    pointer_seen_ = true;
    pointer_column_ = event.at.column;
    pointer_row_ = event.at.row;
    analyse_row(event.at.column, event.at.row);
    show_analysis();
}

// A stroke ends when its button is let go: all it painted is one step.
void Tokno2::FormMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbMiddle) panning_ = false;
    if (Tool* tool = tool_for_moves())
        tool->release(tools_context_, pointer_event(Button, Shift, X, Y));
    if (gesture_ && !gesture_->busy()) gesture_ = nullptr;
    end_stroke();
}
