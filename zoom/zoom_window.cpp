#include "zoom/zoom_window.h"
#include "app/Main.h"
#include "app/editor_desk.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "settings/full_cell_setting.h"
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

constexpr int kGestureTick = 40;    // milliseconds between a held spray's sprinkles
constexpr int kAutoscrollTick = 60; // milliseconds between the view's steps after a drag

Tokno2* okno2 = nullptr;

Tokno2::Tokno2(QWidget* owner)
    : TForm(owner), picture(desk().document().picture), draw_color(desk().document().draw_color),
      back_color(desk().document().back_color),
      pixel_grid_color(desk().document().pixel_grid_color),
      char_grid_color(desk().document().char_grid_color), scan_color(desk().document().scan_color),
      cell_color1(desk().document().cell_color1), cell_color2(desk().document().cell_color2),
      cell_color3(desk().document().cell_color3), old_color(desk().document().old_color),
      cell_count(desk().document().cell_count), document_(desk().document()),
      tools_context_(desk().tools(*this)) {
    setupUi(this);
    Loaded();
    // The window starts at the size of its layout, the least that shows the whole drawing
    // area of the start, and grows from there.
    setMinimumSize(size());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    okno2->SetTop(420);
    okno2->SetLeft(180);
    zoom_factor = std::uint32_t(document_.mode().shape.cell.width);
    set_zoom(4, 3);
    // The start colours are the picture model's own defaults.
    for (const ToolRow& row : tool_rows()) tools_.push_back(row.make());
    connect(&ants_timer_, &QTimer::timeout, this, &Tokno2::march_ants);
    gesture_timer_.setInterval(kGestureTick);
    connect(&gesture_timer_, &QTimer::timeout, this, &Tokno2::tick_gesture);
    autoscroll_timer_.setInterval(kAutoscrollTick);
    connect(&autoscroll_timer_, &QTimer::timeout, this, &Tokno2::autoscroll);
}

void Tokno2::resize_view(std::uint32_t, std::uint32_t rows) {
    pixel_size_ = kViewHeight / int(rows);
    take_frame();
}

ViewFrame Tokno2::frame() const {
    return frame_in_room(pixel_size_, width(), height(), document_.mode().shape);
}

// The bars keep the places the layout gives them at the start's size, along the right and
// bottom edges.
void Tokno2::take_frame() {
    const PictureShape& shape = document_.mode().shape;
    const ViewFrame shown = frame();
    view_cols = std::uint32_t(shown.columns(shape));
    view_rows = std::uint32_t(shown.rows());
    cell_w = std::uint32_t(shown.pixel_width(shape));
    cell_h = std::uint32_t(shown.pixel_height());
    scroll1->setGeometry(0, height() - 23, width() - 29, 19);
    scroll2->setGeometry(width() - 24, 0, 19, height() - 31);
    const ViewPlace reach = scroll_reach(shown, shape);
    {
        const QSignalBlocker across(scroll1), down(scroll2);
        scroll1->setMaximum(reach.scroll_x / shape.cell.width);
        scroll2->setMaximum(reach.scroll_y / shape.cell.height);
    }
    place_view({std::min(scroll_x, reach.scroll_x), std::min(scroll_y, reach.scroll_y)});
}

// The form's new surface is drawn whole at the paint request that follows.
void Tokno2::resizeEvent(QResizeEvent* event) {
    TForm::resizeEvent(event);
    take_frame();
}

// The view as at the start, with no part of a wheel's notch kept from before.
void Tokno2::set_zoom(std::int32_t across, std::int32_t down) {
    wheel_across_ = wheel_down_ = wheel_zoom_ = {};
    resize_view(std::uint32_t(across) * zoom_factor,
                std::uint32_t(down) * std::uint32_t(document_.mode().shape.cell.height));
    cursor_x = cursor_y = scroll_x = scroll_y = 0;
}

void Tokno2::scroll1Scroll(TObject*) {
    scroll_x = scroll1->value() * std::int32_t(zoom_factor);
    FormPaint();
}

void Tokno2::scroll2Scroll(TObject*) {
    scroll_y = scroll2->value() * document_.mode().shape.cell.height;
    FormPaint();
}

void Tokno2::FormPaint(TObject*) {
    pal_zoom_changes_.clear();
    if (desk().view().clashes) marked_ = clash_rows();
    draw_within({0, 0, width(), height()});
    okno1->follow_zoom_view();
}

// The picture has not changed: what was drawn moves with it, and only the strips it uncovers
// and the margins are drawn. A move by part of a cell, or further than the view reaches, is
// drawn whole.
void Tokno2::scroll_drawn_view(ViewPlace from) {
    const CellSize cell = document_.mode().shape.cell;
    const int across = from.scroll_x - scroll_x, down = from.scroll_y - scroll_y;
    const int columns = int(view_cols), rows = int(view_rows);
    if (across % cell.width != 0 || down % cell.height != 0 || std::abs(across) >= columns ||
        std::abs(down) >= rows)
        return FormPaint();
    const int w = int(cell_w), h = int(cell_h);
    Canvas->Scroll({0, 0, columns * w, rows * h}, across * w, down * h);
    const PixelArea view = view_area();
    if (across > 0) draw_within(shown_on_screen({view.left, view.top, across, rows}));
    if (across < 0)
        draw_within(shown_on_screen({view.right() + 1 + across, view.top, -across, rows}));
    if (down > 0) draw_within(shown_on_screen({view.left, view.top, columns, down}));
    if (down < 0)
        draw_within(shown_on_screen({view.left, view.bottom() + 1 + down, columns, -down}));
    draw_within({columns * w, 0, width(), height()});
    draw_within({0, rows * h, width(), height()});
    okno1->follow_zoom_view();
}

void Tokno2::draw_within(const TRect& screen) {
    const bool pixel_grid = desk().view().pixel_grid && frame().pixel_grid_fits();
    const int w = int(cell_w), h = int(cell_h);
    Canvas->SetClip(screen);
    clear_margins();
    // The pixels the screen area reaches into are drawn whole: a pixel's outline and its first
    // line, repeated down, need it. Past the view's edges lie the parts of its last cells' marks.
    const int left = screen.Left / w, top = screen.Top / h;
    const PixelArea reach{scroll_x + left, scroll_y + top, (screen.Right + w - 1) / w - left,
                          (screen.Bottom + h - 1) / h - top};
    const PixelArea part = clipped(reach, view_area());
    if (!part.empty()) draw_pixels(part, pixel_grid);
    if (desk().view().char_grid) draw_char_grid();
    if (desk().view().clashes) {
        draw_clash_marks(reach);
        draw_crowded_rows();
    }
    draw_sprite_outlines();
    draw_selection_overlay();
    draw_flash();
    const int across =
        desk().paint_target() == PaintTarget::Sprites ? w / document_.mode().shape.pixel_aspect : w;
    draw_symmetry_axes(*Canvas, desk().painter().symmetry, -scroll_x * w, -scroll_y * h, across, h,
                       shown_on_screen(clipped(view_area(), document_.whole())));
    draw_tip();
    Canvas->ClearClip();
}

// The PAL view draws every pixel itself: drawing the plain ones first would be thrown away.
void Tokno2::draw_pixels(const PixelArea& part, bool pixel_grid) {
    if (shown_pal_view().in_zoom_view())
        return draw_pal_pixels(part, pixel_grid, shown_grid(document_));
    const Palette& colors = shown_colors();
    const ReferenceLayer reference = desk().reference_layer();
    std::optional<ShownRows> sprites = shown_rows();
    std::vector<TColor> shown(view_cols);
    for (int row = part.top; row <= part.bottom(); ++row) {
        if (sprites && sprites->has_sprites(row)) {
            draw_shown_row(*sprites, row - scroll_y, pixel_grid);
            continue;
        }
        // Past the picture's edges, where the view is larger, colour 0 shows.
        const PictureShape& shape = document_.mode().shape;
        const int inside =
            row < shape.height ? std::clamp(shape.width - scroll_x, 0, int(view_cols)) : 0;
        const std::uint8_t* pixels = inside > 0 ? document_.grid().row(row) + scroll_x : nullptr;
        for (int j = 0; j < inside; ++j) shown[std::size_t(j)] = colors[pixels[j] & 0x0F];
        std::fill(shown.begin() + inside, shown.end(), colors[0]);
        reference.blend_row(row, scroll_x, int(view_cols), 1, shown.data());
        draw_pixel_row(shown.data(), int(view_cols), row - scroll_y, pixel_grid);
    }
}

// A row of the view's pixels, each a rectangle outlined in the grid's colour or its own: the
// row's first screen line inside the outlines, repeated down, then the outlines along its top
// and bottom, so that each screen pixel is written once.
void Tokno2::draw_pixel_row(const TColor* colors, int count, int view_row, bool outlined) {
    const int w = int(cell_w), h = int(cell_h), right = int(view_cols) * w;
    const int top = view_row * h, edge = outlined ? 1 : 0;
    Canvas->SetPixelRow(0, top + edge, colors, count, right / count);
    if (outlined)
        for (int x = 0; x < right; x += w) {
            Canvas->SetPixel(x, top + 1, pixel_grid_color);
            Canvas->SetPixel(x + w - 1, top + 1, pixel_grid_color);
        }
    Canvas->RepeatLine(0, right, top + edge, top + h - edge);
    if (!outlined) return;
    Canvas->Brush.Color = pixel_grid_color;
    Canvas->FillRect({0, top, right, top + 1});
    Canvas->FillRect({0, top + h - 1, right, top + h});
}

// Where the room is not a whole number of pixels, the strips beside the drawing area keep
// nothing of an earlier, larger view.
void Tokno2::clear_margins() {
    const ViewFrame shown = frame();
    Canvas->Brush.Color = FormColor();
    Canvas->FillRect({shown.width, 0, width(), shown.height});
    Canvas->FillRect({0, shown.height, width(), height()});
}

// The lines run along the cells' edges; the row lines go on a cell's height into the strip
// under the drawing area, where the bar covers most of them.
void Tokno2::draw_char_grid() {
    const ViewFrame shown = frame();
    const CellSize cell = document_.mode().shape.cell;
    const int across = int(cell_w) * cell.width, down = int(cell_h) * cell.height;
    Canvas->Pen.Color = char_grid_color;
    for (int x = 0; x < shown.width; x += across) {
        Canvas->MoveTo(x, 0);
        Canvas->LineTo(x, shown.height);
    }
    for (int y = 0; y <= shown.height + down && y < height(); y += down) {
        Canvas->MoveTo(0, y);
        Canvas->LineTo(shown.width, y);
    }
}

void Tokno2::draw_painted_pixel(std::uint8_t color, std::int32_t view_col, std::int32_t view_row) {
    const int w = int(cell_w), h = int(cell_h);
    TColor shown = palette_color(color);
    desk().reference_layer().blend_row(view_row + scroll_y, view_col + scroll_x, 1, 1, &shown);
    Canvas->Brush.Color = shown;
    Canvas->Pen.Color = frame().pixel_grid_fits() ? pixel_grid_color : Canvas->Brush.Color;
    Canvas->Rectangle(view_col * w, view_row * h, (view_col + 1) * w, (view_row + 1) * h);
}

// A pixel of a shape still being dragged is not in the picture yet and shows its own colour.
// A mirror image of a painted pixel may lie outside the view.
void Tokno2::draw_pixel(PixelPos at, std::uint8_t color) {
    if (tool_in_screen_pixels()) {
        Canvas->Brush.Color = palette_color(color);
        return Canvas->FillRect(screen_pixel_on_screen(at));
    }
    if (!view_area().contains(at)) return;
    draw_painted_pixel(color, at.column - scroll_x, at.row - scroll_y);
}

// A pixel painted into the picture changes how a PAL television shows its neighbours too: the
// PAL views draw what the event's painting reached, once.
void Tokno2::show_painted(PixelPos at, ShownRows* shown) {
    if (shown_pal_view().preview) pal_preview_changes_.add(at);
    if (shown_pal_view().in_zoom_view())
        pal_zoom_changes_.add(at);
    else if (shown && shown->has_sprites(at.row))
        draw_shown_pixel(*shown, at);
    else if (view_area().contains(at))
        draw_painted_pixel(read_pixel(at.column, at.row), at.column - scroll_x, at.row - scroll_y);
}

void Tokno2::show_painting() {
    desk().show_painting();
    if (std::exchange(tip_moved_, false)) FormPaint();
}

void Tokno2::show_painted(const PaintReport& report) {
    std::optional<ShownRows> shown = shown_rows();
    for (const PixelPos& at : report.pixels) show_painted(at, shown ? &*shown : nullptr);
    show_pal_changes();
    painted_ = painted_ || report.changed();
}

std::uint8_t Tokno2::read_pixel(std::int32_t column, std::int32_t row) const {
    return document_.read_pixel(column, row);
}

void Tokno2::write_pixel(std::uint32_t column, std::uint32_t row, std::uint8_t color) {
    document_.write_pixel(column, row, color);
}

void Tokno2::analyse_cell(std::int32_t column, std::int32_t row) {
    document_.analyse_cell(column, row);
}

void Tokno2::analyse_row(std::int32_t column, std::int32_t row) {
    document_.analyse_row(column, row);
}

bool Tokno2::refreshed(const PlotResult& plot) {
    for (const Analysis& found : plot.found()) {
        show_analysis(found);
        okno1->redraw_preview_band(std::uint32_t(plot.at.column), std::uint32_t(plot.at.row));
    }
    return plot.accepted;
}

bool Tokno2::plot_multicolor(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return refreshed(document_.plot_multicolor(column, row, color));
}

bool Tokno2::plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color) {
    return refreshed(document_.plot_fli(column, row, color));
}

bool Tokno2::plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row,
                        std::uint8_t color) {
    return refreshed(document_.plot_pixel(format, column, row, color));
}

void Tokno2::show_pal_changes() {
    if (pal_zoom_changes_.empty()) return;
    const bool outlined = frame().pixel_grid_fits();
    const ShownGrid shown = shown_grid(document_);
    for (const PixelArea& row : pal_zoom_changes_.take_reach(document_.mode().shape))
        draw_pal_pixels(row, outlined, shown);
}

PixelArea Tokno2::view_area() const { return {scroll_x, scroll_y, int(view_cols), int(view_rows)}; }

TRect Tokno2::shown_on_screen(const PixelArea& area) const {
    const int w = int(cell_w), h = int(cell_h);
    return {(area.left - scroll_x) * w, (area.top - scroll_y) * h,
            (area.right() + 1 - scroll_x) * w, (area.bottom() + 1 - scroll_y) * h};
}

// Each of a pixel's screen pixels is a strip of the colour the television shows there, inside
// the pixel's outline. A row of pixels is drawn as its first line inside the outlines, repeated
// down, then the outlines along its top and bottom: each screen pixel is written once.
void Tokno2::draw_pal_pixels(const PixelArea& area, bool outlined, const ShownGrid& shown) {
    const PixelArea shown_area = clipped(clipped(area, view_area()), document_.whole());
    if (shown_area.empty()) return;
    const int aspect = document_.mode().shape.pixel_aspect, w = int(cell_w), h = int(cell_h);
    const int edge = outlined ? 1 : 0;
    const int left = (shown_area.left - scroll_x) * w, right = left + shown_area.width * w;
    const ReferenceLayer reference = desk().reference_layer();
    pal_row_.resize(std::size_t(shown_area.width * aspect));
    for (int row = shown_area.top; row <= shown_area.bottom(); ++row) {
        shown_pal_display().show_row(shown.grid, shown.aspect, row, shown_area.left * aspect,
                                     (shown_area.right() + 1) * aspect, pal_row_.data());
        reference.blend_row(row, shown_area.left, shown_area.width, aspect, pal_row_.data());
        const int top = (row - scroll_y) * h, inside = top + edge;
        for (int i = 0; i < shown_area.width; ++i) {
            const int x = left + i * w;
            for (int part = 0; part < aspect; ++part) {
                Canvas->Brush.Color = pal_row_[std::size_t(i * aspect + part)];
                const int from = x + part * w / aspect + (part == 0 ? edge : 0);
                const int to = x + (part + 1) * w / aspect - (part == aspect - 1 ? edge : 0);
                Canvas->FillRect({from, inside, to, inside + 1});
            }
            if (outlined) {
                Canvas->SetPixel(x, inside, pixel_grid_color);
                Canvas->SetPixel(x + w - 1, inside, pixel_grid_color);
            }
        }
        Canvas->RepeatLine(left, right, inside, top + h - edge);
        if (!outlined) continue;
        Canvas->Brush.Color = pixel_grid_color;
        Canvas->FillRect({left, top, right, top + 1});
        Canvas->FillRect({left, top + h - 1, right, top + h});
    }
}

void Tokno2::redraw() { FormPaint(); }

void Tokno2::set_cursor(PixelPos at) {
    cursor_x = at.column;
    cursor_y = at.row;
}

void Tokno2::choose_colour(std::uint8_t color) { okno1->palette_button(color)->click(); }

CellRowSet Tokno2::clash_rows() const {
    return document_.mode().clash_rows(document_.grid(), back_color);
}

// A red cross in a red and white frame over each run of clashing rows within a cell in the
// view (the whole cell in Multicolor), as they were last found: it shows on a cell of any
// colour.
void Tokno2::draw_clash_marks(const PixelArea& reach) {
    const CellSize cell = document_.mode().shape.cell;
    for (int top = 0; top < int(view_rows); top += cell.height)
        for (int left = 0; left < int(view_cols); left += cell.width) {
            const int column = scroll_x + left;
            if (column >= document_.mode().shape.width ||
                clipped({column, scroll_y + top, cell.width, cell.height}, reach).empty())
                continue;
            for (int y = 0; y < cell.height;) {
                const auto marked = [&](int row) {
                    const int picture_row = scroll_y + top + row;
                    return row < cell.height && picture_row < document_.mode().shape.height &&
                           marked_[std::size_t(picture_row * kCellColumns + column / cell.width)];
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
    const int w = int(cell_w) * document_.mode().shape.cell.width, h = int(cell_h) * rows;
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
    if (!std::exchange(painted_, false) || !desk().view().clashes) return;
    if (clash_rows() != marked_) FormPaint();
}

void Tokno2::show_analysis() { show_analysis(document_.last_analysis()); }

void Tokno2::show_analysis(const Analysis& found) {
    okno_info->show_color1(found.color1);
    okno_info->show_color2(found.color2);
    okno_info->show_color3(found.color3);
    okno_info->show_back();
}

void Tokno2::show_pointer_row() {
    if (!pointer_seen_) return;
    show_analysis(document_.analyse_row(pointer_column_, pointer_row_));
}
