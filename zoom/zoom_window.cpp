#include "zoom/zoom_window.h"
#include "app/Main.h"
#include "display/displayed_palette.h"
#include "full_cell/full_cell_setting.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include <algorithm>
#include <utility>

Tokno2* okno2 = nullptr;

constexpr int kAreaWidth = 640; // the drawing area at the client area's top-left corner
constexpr int kAreaHeight = 480;

void WindowRefresh::show_color1(unsigned index) { okno_info->show_color1(index); }
void WindowRefresh::show_color2(unsigned index) { okno_info->show_color2(index); }
void WindowRefresh::show_color3(unsigned index) { okno_info->show_color3(index); }
void WindowRefresh::show_back() { okno_info->show_back(); }
void WindowRefresh::redraw_preview_band(std::uint32_t column, std::uint32_t row) {
    okno1->redraw_preview_band(column, row);
}

// The main window is made first, so its mode can be watched with the pixels.
Tokno2::Tokno2(QWidget* owner)
    : TForm(owner),
      history({picture, std::span(&back_color, 1), std::span(&okno1->picture_format, 1)}) {
    setupUi(this);
    Loaded();
    okno2->SetTop(420);
    okno2->SetLeft(180);
    zoom_factor = 4;
    set_zoom(4, 3);
    // The start colours are the picture model's own defaults.
    refresh = &window_refresh_;
    full_cell = stored_full_cell();
    connect(&ants_timer_, &QTimer::timeout, this, &Tokno2::march_ants);
}

void Tokno2::resize_view(std::uint32_t columns, std::uint32_t rows) {
    view_cols = columns;
    view_rows = rows;
    cell_w = kAreaWidth / view_cols;
    cell_h = kAreaHeight / view_rows;
}

void Tokno2::set_zoom(std::int32_t across, std::int32_t down) {
    resize_view(std::uint32_t(across) * zoom_factor, std::uint32_t(down) * 8);
    cursor_x = cursor_y = scroll_x = scroll_y = 0;
}

void Tokno2::scroll1Scroll(TObject*) {
    scroll_x = scroll1->value() * std::int32_t(zoom_factor);
    FormPaint();
}

void Tokno2::scroll2Scroll(TObject*) {
    scroll_y = scroll2->value() * 8;
    FormPaint();
}

void Tokno2::FormPaint(TObject*) {
    const bool pixel_grid = prefs->vexlor_grid1->isChecked() && zoom_level().pixel_grid_fits();
    const int w = int(cell_w), h = int(cell_h);
    for (int i = 0; i < int(view_rows); ++i)
        for (int j = 0; j < int(view_cols); ++j) {
            Canvas->Pen.Style = psSolid;
            Canvas->Brush.Color = palette_color(read_pixel(j + scroll_x, i + scroll_y));
            Canvas->Pen.Color = pixel_grid ? pixel_grid_color : Canvas->Brush.Color;
            Canvas->Rectangle(j * w, i * h, (j + 1) * w, (i + 1) * h);
        }
    if (prefs->vexlor_grid2->isChecked()) draw_char_grid();
    if (show_clashes) draw_clash_marks();
    draw_selection_overlay();
    okno1->follow_zoom_view();
}

void Tokno2::draw_char_grid() {
    const int w = int(cell_w), h = int(cell_h);
    // The row passes are view_rows / 3, so the lines below the view run into the strip under
    // the drawing area and past the window, where they are clipped.
    Canvas->Pen.Color = char_grid_color;
    const int cell_across = w * int(zoom_factor), cell_down = h * 8;
    for (int i = 0; i < int(view_rows) / 3; ++i)
        for (int j = 0; j < int(view_cols) / 4; ++j) {
            Canvas->MoveTo(j * cell_across, 0);
            Canvas->LineTo(j * cell_across, kAreaHeight);
            Canvas->MoveTo(0, i * cell_down);
            Canvas->LineTo(kAreaWidth, i * cell_down);
        }
}

static bool in_drawing_area(int x, int y) {
    return 0 < x && x < kAreaWidth && 0 < y && y < kAreaHeight;
}

void Tokno2::draw_painted_pixel(std::uint8_t color, std::int32_t view_col, std::int32_t view_row) {
    const int w = int(cell_w), h = int(cell_h);
    Canvas->Brush.Color = palette_color(color);
    Canvas->Pen.Color = zoom_level().pixel_grid_fits() ? pixel_grid_color : Canvas->Brush.Color;
    Canvas->Rectangle(view_col * w, view_row * h, (view_col + 1) * w, (view_row + 1) * h);
}

Plotted Tokno2::plot_chosen(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return plot_as_chosen(*this, full_cell, okno1->picture_format, column, row, color,
                          lab_palette(shown_palette()));
}

// Of a recoloured area, the pixels that changed are drawn anew, like the painted pixel itself.
void Tokno2::plot_and_draw(std::int32_t column, std::int32_t row, std::uint8_t color) {
    const PlotArea area = cell_area(column, row);
    std::array<std::uint8_t, 32> before{};
    for (int i = 0; i < area.rows * 4; ++i)
        before[std::size_t(i)] = read_pixel(area.left + i % 4, area.top + i / 4);
    const Plotted plotted = plot_chosen(column, row, color);
    if (!plotted.accepted) return;
    if (plotted.area_recoloured)
        for (int i = 0; i < area.rows * 4; ++i) {
            const std::int32_t c = area.left + i % 4, r = area.top + i / 4;
            if (read_pixel(c, r) != before[std::size_t(i)])
                draw_painted_pixel(read_pixel(c, r), c - scroll_x, r - scroll_y);
        }
    draw_painted_pixel(plotted.color, column - scroll_x, row - scroll_y);
    painted_ = true;
}

CellRowSet Tokno2::clash_rows() const {
    if (okno1->picture_format == fmtFli) return fli_clash_rows(picture.data(), back_color);
    return rows_of_cells(inexact_cells(picture.data(), back_color));
}

// A red cross in a red and white frame over each run of clashing rows within a cell in the
// view (the whole cell in Multicolor): it shows on a cell of any colour.
void Tokno2::draw_clash_marks() {
    marked_ = clash_rows();
    for (int top = 0; top < int(view_rows); top += kCellHeight)
        for (int left = 0; left < int(view_cols); left += kCellWidth) {
            const int column = scroll_x + left;
            if (column >= kPictureColumns) continue;
            for (int y = 0; y < kCellHeight;) {
                const auto marked = [&](int row) {
                    const int picture_row = scroll_y + top + row;
                    return row < kCellHeight && picture_row < kPictureRows &&
                           marked_[std::size_t(cell_row_of(column, picture_row))];
                };
                int end = y;
                while (marked(end)) ++end;
                if (end > y) draw_clash_mark(left, top + y, end - y);
                y = std::max(end, y + 1);
            }
        }
}

void Tokno2::draw_clash_mark(int left, int top, int rows) {
    const int x = left * int(cell_w), y = top * int(cell_h);
    const int w = int(cell_w) * kCellWidth, h = int(cell_h) * rows;
    const int frame = std::min(4, h / 4);
    constexpr TColor red = RGBColor(255, 0, 0);
    Canvas->Pen.Style = psSolid;
    for (int inset = 0; inset < frame; ++inset) {
        Canvas->Pen.Color = inset < (frame + 1) / 2 ? red : clWhite;
        Canvas->MoveTo(x + inset, y + inset);
        Canvas->LineTo(x + w - 1 - inset, y + inset);
        Canvas->LineTo(x + w - 1 - inset, y + h - 1 - inset);
        Canvas->LineTo(x + inset, y + h - 1 - inset);
        Canvas->LineTo(x + inset, y + inset);
    }
    Canvas->Pen.Color = red;
    Canvas->MoveTo(x, y);
    Canvas->LineTo(x + w, y + h);
    Canvas->MoveTo(x + w - 1, y);
    Canvas->LineTo(x - 1, y + h);
}

// After painting, the marks are drawn anew where a cell or row has started or stopped clashing.
void Tokno2::update_clash_marks() {
    if (!std::exchange(painted_, false) || !show_clashes) return;
    if (clash_rows() != marked_) FormPaint();
}

void Tokno2::show_analysis() {
    okno_info->show_color1(cell_color1);
    okno_info->show_color2(cell_color2);
    okno_info->show_color3(cell_color3);
    okno_info->show_back();
}

// The view cell comes from an unsigned division, so a position left of or above the window
// lands far outside the picture.
void Tokno2::FormMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!in_drawing_area(X, Y)) return;
    cursor_x = scroll_x + std::int32_t(std::uint32_t(X) / cell_w);
    cursor_y = scroll_y + std::int32_t(std::uint32_t(Y) / cell_h);
    // No tool paints with the middle button: it drags the view.
    if (Button == mbMiddle) return start_panning(X, Y);
    // While a pasted block floats, the click, up to its release, is the block's.
    placing_ = floating.has_value();
    if (placing_) {
        if (Button == mbLeft) put_down_floating(Shift & ssShift);
        return;
    }
    if (okno1->tool_mode > toolPutChar) return use_tool(Button);
    if (Button == mbLeft) plot_and_draw(cursor_x, cursor_y, draw_color);
    if (Button == mbRight) plot_and_draw(cursor_x, cursor_y, back_color);
    update_clash_marks();
}

void Tokno2::FormMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    if (panning_ && (Shift & ssMiddle)) pan_to(X, Y);
    const std::int32_t column = scroll_x + std::int32_t(std::uint32_t(X) / cell_w);
    const std::int32_t row = scroll_y + std::int32_t(std::uint32_t(Y) / cell_h);
    if (shaping_) drag_shape(X, Y, Shift);
    if (selecting_) drag_selection(X, Y, Shift);
    if (floating && in_drawing_area(X, Y)) follow_pointer(X, Y);
    // The other tools act on a press alone.
    if (in_drawing_area(X, Y) && okno1->tool_mode <= toolPutChar && !floating && !placing_) {
        if (Shift & ssLeft) {
            cursor_x = column;
            cursor_y = row;
            if (okno1->tool_mode == 1) plot_and_draw(cursor_x, cursor_y, draw_color);
            if (okno1->tool_mode == 2) {
                cursor_x &= ~3;
                cursor_y &= ~7;
                for (int i = 0; i < 8; ++i)
                    for (int j = 0; j < 4; ++j)
                        plot_and_draw(cursor_x + j, cursor_y + i, draw_color);
            }
        }
        if (Shift & ssRight) {
            cursor_x = column;
            cursor_y = row;
            plot_and_draw(cursor_x, cursor_y, back_color);
        }
    }
    update_clash_marks();
    pointer_seen_ = true;
    pointer_column_ = column;
    pointer_row_ = row;
    analyse_row(column, row);
    show_analysis();
}

// A stroke ends when its button is let go: all it painted is one step.
void Tokno2::FormMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (shaping_ && Button == shape_button_) finish_shape(X, Y, Shift);
    if (selecting_ && Button == mbLeft) finish_selecting(X, Y, Shift);
    if (Button == mbMiddle) panning_ = false;
    placing_ = false;
    okno1->end_step("Paint");
}

void Tokno2::show_pointer_row() {
    if (!pointer_seen_) return;
    analyse_row(pointer_column_, pointer_row_);
    show_analysis();
}
