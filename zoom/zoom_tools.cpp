// The pointer over the zoom view: each press, move and release goes to the tool chosen in the
// frame (a tool whose gesture is under way keeps it to the end), or to the placing of a pasted
// block while one floats; the middle button drags the view. The tools are tools/'.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "zoom/zoom_window.h"
#include <algorithm>

bool Tokno2::in_drawing_area(int x, int y) const {
    const ViewFrame shown = frame();
    return 0 < x && x < shown.width && 0 < y && y < shown.height;
}

Tool* Tokno2::chosen_tool() const {
    if (document_.floating()) return placing_.get();
    const ToolRow* row = tool_row(desk().tool_mode);
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
    const int aspect = document_.mode().shape.pixel_aspect;
    event.screen = {scroll_x * aspect + std::int32_t(std::uint32_t(x) * aspect / cell_w),
                    event.at.row};
    event.kept = view_pixel_at(x, y);
    event.button = button == mbLeft    ? MouseButton::Left
                   : button == mbRight ? MouseButton::Right
                                       : MouseButton::Middle;
    event.left = shift & ssLeft;
    event.right = shift & ssRight;
    event.shift = shift & ssShift;
    event.ctrl = shift & ssCtrl;
    event.in_area = in_drawing_area(x, y);
    return event;
}

bool Tokno2::tool_in_screen_pixels() const {
    const Tool* tool = tool_for_moves();
    return desk().paint_target() == PaintTarget::Sprites && tool && tool->paints();
}

// A tool that paints into the sprites takes the screen pixel, kept within the view as the
// picture pixel is.
PointerEvent Tokno2::in_tool_pixels(PointerEvent event, const Tool& tool) const {
    if (desk().paint_target() != PaintTarget::Sprites || !tool.paints()) return event;
    const int aspect = document_.mode().shape.pixel_aspect;
    const int left = scroll_x * aspect, right = (scroll_x + int(view_cols)) * aspect - 1;
    event.at = event.screen;
    event.kept = {std::clamp(event.screen.column, left, right),
                  std::clamp(event.screen.row, scroll_y, scroll_y + int(view_rows) - 1)};
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
    tool->press(tools_context_, in_tool_pixels(event, *tool));
    show_painting();
    gesture_ = tool->busy() ? tool : nullptr;
    if (gesture_) gesture_timer_.start();
    update_clash_marks();
}

void Tokno2::FormMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    if (panning_ && (Shift & ssMiddle)) pan_to(X, Y);
    const PointerEvent event = pointer_event(mbLeft, Shift, X, Y);
    tip_shown_ = false;
    if (Tool* tool = tool_for_moves()) tool->move(tools_context_, in_tool_pixels(event, *tool));
    if (!tip_shown_ && !tip_.empty()) show_tip({}, false);
    show_painting();
    update_clash_marks();
    follow_drag(X, Y, Shift);
    const bool on_picture = event.in_area && document_.whole().contains(event.at);
    okno1->show_pointer_place(on_picture ? std::optional(event.at) : std::nullopt);
    pointer_seen_ = true;
    pointer_column_ = event.at.column;
    pointer_row_ = event.at.row;
    pointer_screen_ = event.screen;
    analyse_row(event.at.column, event.at.row);
    show_analysis();
}

// A stroke ends when its button is let go: all it painted is one step.
// Let go past the drawing area's edge, a shape ends at the picture pixel the pointer points at.
void Tokno2::FormMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbMiddle) panning_ = false;
    autoscroll_timer_.stop();
    PointerEvent event = pointer_event(Button, Shift, X, Y);
    if (!event.in_area) {
        const PixelPos at = pixel_under(place(), X, Y, frame(), document_.mode().shape);
        const PixelArea whole = document_.whole();
        event.kept = {std::clamp(at.column, whole.left, whole.right()),
                      std::clamp(at.row, whole.top, whole.bottom())};
    }
    if (Tool* tool = tool_for_moves()) tool->release(tools_context_, in_tool_pixels(event, *tool));
    show_painting();
    if (gesture_ && !gesture_->busy()) gesture_ = nullptr;
    desk().end_stroke();
}

// The view steps towards a pointer held past its edge as long as the shape's gesture lasts, or
// towards one beside the drawing area while a pasted block floats.
void Tokno2::follow_drag(int x, int y, TShiftState shift) {
    const ViewFrame shown = frame();
    const bool outside = x < 0 || x >= shown.width || y < 0 || y >= shown.height;
    const bool dragging = gesture_ && gesture_->busy() && gesture_->follows_past_edge();
    if (!outside || !(dragging || document_.floating())) return autoscroll_timer_.stop();
    drag_at_ = {x, y};
    drag_shift_ = shift;
    if (!autoscroll_timer_.isActive()) autoscroll_timer_.start();
}

// Each step shows the shape anew as if the pointer had moved where it is.
void Tokno2::autoscroll() {
    const ViewPlace next =
        autoscrolled(place(), drag_at_.x(), drag_at_.y(), frame(), document_.mode().shape);
    const bool dragging = gesture_ && gesture_->busy();
    if (!(dragging || document_.floating()) || next == place()) return autoscroll_timer_.stop();
    show_place(next);
    FormMouseMove(this, drag_shift_, drag_at_.x(), drag_at_.y());
    FlushSurface();
}

void Tokno2::tick_gesture() {
    if (!gesture_ || !gesture_->busy()) return gesture_timer_.stop();
    gesture_->tick(tools_context_);
    show_painting();
    update_clash_marks();
}

// Drawing the view anew puts the picture back where the tip was, once the event is handled.
void Tokno2::show_tip(std::vector<InkedPixel> pixels, bool outline) {
    tip_shown_ = true;
    if (pixels == tip_ && outline == tip_outline_) return;
    tip_ = std::move(pixels);
    tip_outline_ = outline;
    tip_moved_ = true;
}

void Tokno2::draw_tip() {
    const bool screen_pixels = tool_in_screen_pixels();
    if (tip_outline_) return draw_outline(tip_, screen_pixels);
    const PixelArea view = view_area();
    for (const InkedPixel& pixel : tip_)
        if (screen_pixels || view.contains(pixel.at)) draw_pixel(pixel.at, pixel.color);
}

// A white line along each edge between a pixel of the pen and one outside it, with a black one
// just inside, so it shows on any colour.
void Tokno2::draw_outline(const std::vector<InkedPixel>& pixels, bool screen_pixels) {
    const int aspect = screen_pixels ? document_.mode().shape.pixel_aspect : 1;
    const int w = int(cell_w) / aspect, h = int(cell_h), left = scroll_x * aspect;
    const int area_right = int(view_cols) * w - 1, area_bottom = int(view_rows) * h - 1;
    auto covered = [&](int column, int row) {
        return std::ranges::any_of(pixels, [&](const InkedPixel& p) {
            return p.at == PixelPos{column, row};
        });
    };
    auto dot = [&](int x, int y, TColor color) {
        if (0 <= x && x <= area_right && 0 <= y && y <= area_bottom) Canvas->SetPixel(x, y, color);
    };
    for (const InkedPixel& pixel : pixels) {
        const int x0 = (pixel.at.column - left) * w, y0 = (pixel.at.row - scroll_y) * h;
        const int x1 = x0 + w - 1, y1 = y0 + h - 1;
        const int column = pixel.at.column, row = pixel.at.row;
        for (int x = x0; x <= x1; ++x) {
            if (!covered(column, row - 1)) dot(x, y0, clWhite), dot(x, y0 + 1, clBlack);
            if (!covered(column, row + 1)) dot(x, y1, clWhite), dot(x, y1 - 1, clBlack);
        }
        for (int y = y0; y <= y1; ++y) {
            if (!covered(column - 1, row)) dot(x0, y, clWhite), dot(x0 + 1, y, clBlack);
            if (!covered(column + 1, row)) dot(x1, y, clWhite), dot(x1 - 1, y, clBlack);
        }
    }
}

// A floating block's pointer, no button held, goes no further than the window's edge.
void Tokno2::leaveEvent(QEvent* event) {
    if (!gesture_ || !gesture_->busy()) autoscroll_timer_.stop();
    okno1->show_pointer_place(std::nullopt);
    if (!tip_.empty()) show_tip({}, false);
    show_painting();
    TForm::leaveEvent(event);
}

// As if the pointer had moved to where it is; a stroke under way shows the change at its next
// move.
void Tokno2::follow_pen() {
    if (tip_.empty() || (gesture_ && gesture_->busy())) return;
    if (Tool* tool = tool_for_moves())
        tool->move(tools_context_, in_tool_pixels({{pointer_column_, pointer_row_},
                                                   {pointer_column_, pointer_row_},
                                                   MouseButton::None,
                                                   false,
                                                   false,
                                                   false,
                                                   true,
                                                   false,
                                                   pointer_screen_},
                                                  *tool));
    show_painting();
}
