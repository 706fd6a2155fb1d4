// The sprites in the zoom view: the rows they lie on at screen resolution (a multicolour
// picture's pixel as two strips), their outlines, the chosen one's in a colour of its own, and
// the rows that hold more than eight sprites while the marks are on.
#include "app/editor_desk.h"
#include "c64/sprite_multiplex.h"
#include "display/displayed_palette.h"
#include "zoom/zoom_window.h"
#include <algorithm>

namespace {

constexpr TColor kOutline = RGBColor(255, 255, 255);
constexpr TColor kChosenOutline = RGBColor(255, 255, 0);
constexpr TColor kCrowded = RGBColor(255, 0, 0);

// A line one screen pixel wide along the inside of the rectangle's edges.
void frame(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush.Color = color;
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

} // namespace

std::optional<ShownRows> Tokno2::shown_rows() const {
    if (document_.sprites().sprites.empty()) return std::nullopt;
    return std::optional<ShownRows>(std::in_place, document_);
}

TRect Tokno2::screen_pixel_on_screen(PixelPos screen) const {
    const int aspect = document_.mode().shape.pixel_aspect;
    const int w = int(cell_w) / aspect, h = int(cell_h);
    const int x = (screen.column - scroll_x * aspect) * w, y = (screen.row - scroll_y) * h;
    return {x, y, x + w, y + h};
}

// Columns past the picture's right edge, where the view is wider than it, show as the rows
// without sprites show them.
void Tokno2::draw_shown_row(ShownRows& shown, int view_row, bool outlined) {
    const Palette& colors = shown_colors();
    const int aspect = document_.mode().shape.pixel_aspect, row = view_row + scroll_y;
    const int end =
        std::max(scroll_x, std::min(scroll_x + int(view_cols), document_.mode().shape.width));
    thread_local std::vector<std::uint8_t> indices;
    thread_local std::vector<TColor> row_colours;
    indices.assign(std::size_t(view_cols) * std::size_t(aspect), 0);
    shown.row(row, scroll_x, end, indices.data());
    for (int column = end; column < scroll_x + int(view_cols); ++column)
        std::fill_n(indices.begin() + (column - scroll_x) * aspect, aspect,
                    read_pixel(column, row));
    row_colours.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) row_colours[i] = colors[indices[i] & 0x0F];
    desk().reference_layer().blend_row(row, scroll_x, int(view_cols), aspect, row_colours.data());
    draw_pixel_row(row_colours.data(), int(row_colours.size()), view_row, outlined);
}

void Tokno2::draw_shown_pixel(ShownRows& shown, PixelPos at) {
    if (!view_area().contains(at) || !document_.whole().contains(at)) return;
    const int aspect = document_.mode().shape.pixel_aspect;
    std::uint8_t indices[2]{};
    shown.row(at.row, at.column, at.column + 1, indices);
    TColor strips[2]{};
    for (int part = 0; part < aspect; ++part) strips[part] = palette_color(indices[part]);
    desk().reference_layer().blend_row(at.row, at.column, 1, aspect, strips);
    const TRect pixel = shown_on_screen({at.column, at.row, 1, 1});
    const int strip = (pixel.Right - pixel.Left) / aspect;
    for (int part = 0; part < aspect; ++part) {
        Canvas->Brush.Color = strips[part];
        Canvas->FillRect(
            {pixel.Left + part * strip, pixel.Top, pixel.Left + (part + 1) * strip, pixel.Bottom});
    }
    if (frame().pixel_grid_fits()) ::frame(*Canvas, pixel, pixel_grid_color);
}

// A light line round each sprite's box, with a black one inside it, so it shows on any colour.
void Tokno2::draw_sprite_outlines() {
    const std::vector<Sprite>& sprites = document_.sprites().sprites;
    const std::optional<std::size_t> chosen = desk().chosen_sprite();
    for (std::size_t n = sprites.size(); n-- > 0;) {
        const Sprite& sprite = sprites[n];
        const TRect corner = screen_pixel_on_screen({sprite.x, sprite.y});
        const TRect far =
            screen_pixel_on_screen({sprite.x + sprite.width() - 1, sprite.y + sprite.height() - 1});
        const TRect box{corner.Left, corner.Top, far.Right, far.Bottom};
        ::frame(*Canvas, {box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1},
                n == chosen ? kChosenOutline : kOutline);
        ::frame(*Canvas, box, clBlack);
    }
}

// A red frame round each run of rows in view that hold more than eight sprites.
void Tokno2::draw_crowded_rows() {
    if (document_.sprites().sprites.size() <= std::size_t(kHardwareSprites)) return;
    const std::vector<int> crowded = crowded_rows(document_.sprites());
    const int h = int(cell_h), right = int(view_cols * cell_w);
    for (std::size_t i = 0; i < crowded.size();) {
        std::size_t end = i + 1;
        while (end < crowded.size() && crowded[end] == crowded[end - 1] + 1) ++end;
        const int top = (crowded[i] - scroll_y) * h, bottom = (crowded[end - 1] + 1 - scroll_y) * h;
        for (int inset = 0; inset < 2; ++inset)
            ::frame(*Canvas, {inset, top + inset, right - inset, bottom - inset}, kCrowded);
        i = end;
    }
}
