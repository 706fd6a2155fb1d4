// The selection's marching ants, and the pasted block floating over the view where it would
// land. Neither is part of the picture.
#include "zoom/zoom_window.h"

constexpr int kAntsInterval = 150; // milliseconds per step of the ants' march
constexpr int kAntDash = 4;        // screen pixels per black or white dash

void Tokno2::follow_selection() {
    ant_edge_ = document_.selected_pixels().edge();
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
                if (view.contains({column, row}) && block->holds(column - at.column, row - at.row))
                    draw_painted_pixel(block->at(column - at.column, row - at.row),
                                       column - scroll_x, row - scroll_y);
    }
    draw_ants();
}

// Black and white dashes two screen pixels thick along the inside of the selected pixels' edge,
// drawn over themselves one step further on at each tick of the timer.
void Tokno2::draw_ants() {
    const PixelSelection& selected = document_.selected_pixels();
    const int w = int(cell_w), h = int(cell_h);
    const int area_right = int(view_cols) * w - 1, area_bottom = int(view_rows) * h - 1;
    auto ant = [&](int x, int y) {
        if (x < 0 || y < 0 || x > area_right || y > area_bottom) return;
        Canvas->SetPixel(x, y, (x + y + ants_phase_) / kAntDash % 2 ? clWhite : clBlack);
    };
    for (const EdgeRun& run : ant_edge_) {
        // The corner's screen place, and which way the selected pixels lie from the run.
        const int x = (run.from.column - scroll_x) * w, y = (run.from.row - scroll_y) * h;
        if (run.across) {
            const bool below = selected.contains(run.from);
            const int first = std::max(x, 0), last = std::min(x + run.length * w - 1, area_right);
            for (int thick = 0; thick < 2; ++thick)
                for (int across = first; across <= last; ++across)
                    ant(across, below ? y + thick : y - 1 - thick);
        } else {
            const bool right = selected.contains(run.from);
            const int first = std::max(y, 0), last = std::min(y + run.length * h - 1, area_bottom);
            for (int thick = 0; thick < 2; ++thick)
                for (int down = first; down <= last; ++down)
                    ant(right ? x + thick : x - 1 - thick, down);
        }
    }
}

void Tokno2::march_ants() {
    ants_phase_ = (ants_phase_ + 1) % (2 * kAntDash);
    draw_ants();
}
