// The drawing tools beyond free paint and Put char: fill, line, rectangle, pick colour. Each
// paints through the colour-cell rules like painting does, and is one step of the history.
#include "app/Main.h"
#include "zoom/zoom_window.h"

void Tokno2::use_tool(TMouseButton button) {
    if (button == mbMiddle) return;
    const std::uint8_t color = button == mbLeft ? draw_color : back_color;
    switch (okno1->tool_mode) {
    case toolFill:
        return fill(color);
    case toolLine:
    case toolRectangle:
        shaping_ = true;
        shape_start_ = shape_end_ = {cursor_x, cursor_y};
        shape_color_ = color;
        shape_tool_ = okno1->tool_mode;
        shape_button_ = button;
        return draw_band({shape_start_});
    case toolPickColour:
        if (button == mbLeft) pick_colour();
        return;
    case toolSelect:
        if (button == mbLeft) start_selecting();
        return;
    }
}

void Tokno2::plot_all(const std::vector<PixelPos>& pixels, std::uint8_t color) {
    refresh = nullptr;
    for (const PixelPos& at : pixels) plot_chosen(at.column, at.row, color);
    refresh = &window_refresh_;
}

// Filling with the area's own colour would change nothing: no step, no redraw.
void Tokno2::fill(std::uint8_t color) {
    if (read_pixel(cursor_x, cursor_y) == color) return;
    okno1->change_picture("Fill", [&] {
        plot_all(fill_area(picture.data(), kPictureColumns, kPictureRows, {cursor_x, cursor_y}),
                 color);
        return true;
    });
}

// As if the colour's own palette button had been pressed.
void Tokno2::pick_colour() { okno1->palette_button(read_pixel(cursor_x, cursor_y))->click(); }

// The picture pixel under a point, kept within the view when the pointer has left it.
PixelPos Tokno2::view_pixel_at(int x, int y) const {
    const int column = std::clamp(x, 0, int(view_cols * cell_w) - 1) / int(cell_w);
    const int row = std::clamp(y, 0, int(view_rows * cell_h) - 1) / int(cell_h);
    return {scroll_x + column, scroll_y + row};
}

std::vector<PixelPos> Tokno2::shape_to(PixelPos end, bool filled) const {
    if (shape_tool_ == toolLine) return line_pixels(shape_start_, end);
    return rectangle_pixels(shape_start_, end, filled);
}

// The view shows the shape as it would be painted, while the picture stays as it is. A move
// without the shape's button means its release went elsewhere (to a dialog): the shape is
// dropped.
void Tokno2::drag_shape(int x, int y, TShiftState shift) {
    const bool held = shift & (shape_button_ == mbLeft ? ssLeft : ssRight);
    shaping_ = held;
    shape_end_ = view_pixel_at(x, y);
    FormPaint();
    if (held) draw_band(shape_to(shape_end_, shift & ssShift));
}

void Tokno2::draw_band(const std::vector<PixelPos>& pixels) {
    for (const PixelPos& at : pixels)
        draw_painted_pixel(shape_color_, at.column - scroll_x, at.row - scroll_y);
}

// The shape ends where the button is let go; Shift held then fills the rectangle. The views
// are redrawn even when every pixel was refused, as the band must go.
void Tokno2::finish_shape(int x, int y, TShiftState shift) {
    shaping_ = false;
    shape_end_ = view_pixel_at(x, y);
    const bool filled = shift & ssShift;
    okno1->change_picture(shape_tool_ == toolLine ? "Line" : "Rectangle", [&] {
        plot_all(shape_to(shape_end_, filled), shape_color_);
        return true;
    });
}
