// The selection tool with its marching ants, and the pasted block that floats over the view
// until a click puts it down. The picture changes only then, as one step of the history.
#include "app/Main.h"
#include "zoom/zoom_window.h"

constexpr int kAntsInterval = 150; // milliseconds per step of the ants' march
constexpr int kAntDash = 4;        // screen pixels per black or white dash

void Tokno2::select(std::optional<PixelArea> area) {
    mark_selection(area);
    okno1->redraw_views();
}

void Tokno2::mark_selection(std::optional<PixelArea> area) {
    if (area && area->empty()) area.reset();
    selection = area;
    if (selection)
        ants_timer_.start(kAntsInterval);
    else
        ants_timer_.stop();
    okno1->update_selection_items();
}

bool Tokno2::drop_selection() {
    if (!selection) return false;
    select(std::nullopt);
    return true;
}

bool Tokno2::drop_floating() {
    if (!floating) return false;
    floating.reset();
    okno1->update_edit_menu();
    FormPaint();
    return true;
}

void Tokno2::start_floating(PixelBlock block) {
    floating = std::move(block);
    floating_at =
        selection ? PixelPos{selection->left, selection->top} : PixelPos{scroll_x, scroll_y};
    okno1->update_edit_menu();
    FormPaint();
}

void Tokno2::start_selecting() {
    selecting_ = true;
    select_start_ = {cursor_x, cursor_y};
    selection_before_ = selection;
    select(area_between(select_start_, select_start_));
}

// A move without the left button means its release went elsewhere (to a dialog): the
// rectangle ends where the pointer is.
void Tokno2::drag_selection(int x, int y, TShiftState shift) {
    if (!(shift & ssLeft)) return finish_selecting(x, y, shift);
    select(area_between(select_start_, view_pixel_at(x, y)));
}

// Shift at the release grows the rectangle to whole cells (a Shift-click takes one cell). A
// plain click keeps the selection it lands in and drops one it misses.
void Tokno2::finish_selecting(int x, int y, TShiftState shift) {
    selecting_ = false;
    const PixelPos end = view_pixel_at(x, y);
    const PixelArea area = area_between(select_start_, end);
    if (shift & ssShift) return select(snapped_to_cells(area));
    if (end != select_start_) return select(area);
    const bool inside = selection_before_ && selection_before_->contains(end);
    select(inside ? selection_before_ : std::nullopt);
}

void Tokno2::follow_pointer(int x, int y) {
    const PixelPos at = view_pixel_at(x, y);
    if (at == floating_at) return;
    floating_at = at;
    FormPaint();
}

// Through the colour limit (the full-cell choice decides the pixels of cells that the whole
// block would overfill), or with `exact` as Replace Colour writes.
// The pasted area is selected afterwards, ready for a flip or another copy.
void Tokno2::put_down_floating(bool exact) {
    const PixelBlock block = std::move(*floating);
    floating.reset();
    okno1->update_edit_menu();
    const PixelPos at{cursor_x, cursor_y};
    mark_selection(area_between(at, {at.column + block.width - 1, at.row + block.height - 1}));
    okno1->change_picture("Paste", [&] {
        PastePlot plot;
        if (full_cell != FullCell::KeepColours)
            plot = [this](PixelPos pixel, std::uint8_t color) {
                plot_chosen(pixel.column, pixel.row, color);
            };
        refresh = nullptr; // the views are redrawn once, at the end
        paste_block(*this, okno1->picture_format, block, at, exact, plot);
        refresh = &window_refresh_;
        return true;
    });
}

// The floating block shows where it would land, cut at the picture's edges; the ants go round
// the selection over everything.
void Tokno2::draw_selection_overlay() {
    if (floating) {
        const PixelArea landing =
            area_between(floating_at, {floating_at.column + floating->width - 1,
                                       floating_at.row + floating->height - 1});
        const PixelArea view{scroll_x, scroll_y, int(view_cols), int(view_rows)};
        for (int row = landing.top; row <= landing.bottom(); ++row)
            for (int column = landing.left; column <= landing.right(); ++column)
                if (view.contains({column, row}))
                    draw_painted_pixel(
                        floating->at(column - floating_at.column, row - floating_at.row),
                        column - scroll_x, row - scroll_y);
    }
    draw_ants();
}

// Black and white dashes two screen pixels thick along the inside of the selection's edge,
// drawn over themselves one step further on at each tick of the timer.
void Tokno2::draw_ants() {
    if (!selection) return;
    const int w = int(cell_w), h = int(cell_h);
    const int x0 = (selection->left - scroll_x) * w,
              x1 = (selection->right() + 1 - scroll_x) * w - 1;
    const int y0 = (selection->top - scroll_y) * h,
              y1 = (selection->bottom() + 1 - scroll_y) * h - 1;
    const int area_right = int(view_cols) * w - 1, area_bottom = int(view_rows) * h - 1;
    auto ant = [&](int x, int y) {
        if (x < 0 || y < 0 || x > area_right || y > area_bottom) return;
        Canvas->SetPixel(x, y, (x + y + ants_phase_) / kAntDash % 2 ? clWhite : clBlack);
    };
    for (int edge = 0; edge < 2; ++edge) {
        for (int x = std::max(x0, 0); x <= std::min(x1, area_right); ++x)
            ant(x, y0 + edge), ant(x, y1 - edge);
        for (int y = std::max(y0, 0); y <= std::min(y1, area_bottom); ++y)
            ant(x0 + edge, y), ant(x1 - edge, y);
    }
}

void Tokno2::march_ants() {
    ants_phase_ = (ants_phase_ + 1) % (2 * kAntDash);
    draw_ants();
}
