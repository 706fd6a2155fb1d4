// The selection's marching ants, and the pasted block floating over the view where it would
// land. Neither is part of the picture.
#include "zoom/zoom_window.h"

constexpr int kAntsInterval = 150; // milliseconds per step of the ants' march
constexpr int kAntDash = 4;        // screen pixels per black or white dash

void Tokno2::follow_selection() {
    if (document_.selection())
        ants_timer_.start(kAntsInterval);
    else
        ants_timer_.stop();
}

// The floating block shows where it would land, cut at the picture's edges; the ants go round
// the selection over everything.
void Tokno2::draw_selection_overlay() {
    if (const std::optional<PixelBlock>& block = document_.floating()) {
        const PixelPos at = document_.floating_at();
        const PixelArea landing = area_between(
            at, {at.column + block->width - 1, at.row + block->height - 1}, document_.whole());
        const PixelArea view = view_area();
        for (int row = landing.top; row <= landing.bottom(); ++row)
            for (int column = landing.left; column <= landing.right(); ++column)
                if (view.contains({column, row}))
                    draw_painted_pixel(block->at(column - at.column, row - at.row),
                                       column - scroll_x, row - scroll_y);
    }
    draw_ants();
}

// Black and white dashes two screen pixels thick along the inside of the selection's edge,
// drawn over themselves one step further on at each tick of the timer.
void Tokno2::draw_ants() {
    const std::optional<PixelArea>& selected = document_.selection();
    if (!selected) return;
    const int w = int(cell_w), h = int(cell_h);
    const int x0 = (selected->left - scroll_x) * w, x1 = (selected->right() + 1 - scroll_x) * w - 1;
    const int y0 = (selected->top - scroll_y) * h, y1 = (selected->bottom() + 1 - scroll_y) * h - 1;
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
