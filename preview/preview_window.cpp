#include "preview/preview_window.h"
#include "app/Main.h"
#include "app/editor_desk.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include "zoom/zoom_window.h"
#include <algorithm>
#include <vector>

Tokno_prv* okno_prv = nullptr;

Tokno_prv::Tokno_prv(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_prv->SetTop(5);
    okno_prv->SetLeft(20);
}

TRect preview_rect(const PixelArea& area, const PreviewPixels& pixels) {
    return {pixels.origin + pixels.width * area.left, pixels.origin + pixels.height * area.top,
            pixels.origin + pixels.width * (area.right() + 1),
            pixels.origin + pixels.height * (area.bottom() + 1)};
}

void draw_dashed_edge(TCanvas& canvas, const std::vector<EdgeRun>& edge,
                      const PixelSelection& selected, const PreviewPixels& pixels, int dash,
                      const PixelArea& redrawn) {
    const TRect open = preview_rect(redrawn, pixels);
    auto dot = [&](int x, int y) { canvas.SetPixel(x, y, (x + y) / dash % 2 ? clWhite : clBlack); };
    for (const EdgeRun& run : edge) {
        // The corner's place, and the line one pixel inside it on the selected side.
        const int x = pixels.origin + pixels.width * run.from.column;
        const int y = pixels.origin + pixels.height * run.from.row;
        const bool inside_after = selected.contains(run.from);
        if (run.across) {
            const int line = inside_after ? y : y - 1;
            if (line < open.Top || line >= open.Bottom) continue;
            const int last = std::min(x + pixels.width * run.length, open.Right) - 1;
            for (int across = std::max(x, open.Left); across <= last; ++across) dot(across, line);
        } else {
            const int line = inside_after ? x : x - 1;
            if (line < open.Left || line >= open.Right) continue;
            const int last = std::min(y + pixels.height * run.length, open.Bottom) - 1;
            for (int down = std::max(y, open.Top); down <= last; ++down) dot(line, down);
        }
    }
}

void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, const PreviewPixels& pixels,
                         int dash, const PixelArea& redrawn) {
    const std::vector<EdgeRun> edge{{{area.left, area.top}, area.width, true},
                                    {{area.left, area.bottom() + 1}, area.width, true},
                                    {{area.left, area.top}, area.height, false},
                                    {{area.right() + 1, area.top}, area.height, false}};
    draw_dashed_edge(canvas, edge, PixelSelection(area), pixels, dash, redrawn);
}

void draw_pal_preview(TCanvas& canvas, const ShownGrid& picture, int pixel_aspect,
                      const PixelArea& area, const PreviewPixels& pixels,
                      const ReferenceLayer& reference) {
    const int part = pixels.width / pixel_aspect;
    thread_local std::vector<TColor> shown;
    shown.resize(std::size_t(area.width * pixel_aspect));
    for (int row = area.top; row <= area.bottom(); ++row) {
        shown_pal_display().show_row(picture.grid, picture.aspect, row, area.left * pixel_aspect,
                                     (area.right() + 1) * pixel_aspect, shown.data());
        reference.blend_row(row, area.left, area.width, pixel_aspect, shown.data());
        const int x = pixels.origin + pixels.width * area.left;
        const int y = pixels.origin + pixels.height * row;
        for (int line = 0; line < pixels.height; ++line)
            canvas.SetPixelRow(x, y + line, shown.data(), int(shown.size()), part);
    }
}

// The edge is found again only when the selection changed.
const std::vector<EdgeRun>& Tokno_prv::selection_edge() {
    const PixelSelection& selected = desk().document().selected_pixels();
    if (selected != edged_) {
        edged_ = selected;
        edge_ = selected.edge();
    }
    return edge_;
}

// A line round each sprite's box, the chosen one's yellow, the others' white; only the part
// over the picture's pixels `redrawn`.
void Tokno_prv::draw_sprite_outlines(const PreviewPixels& block, const PixelArea& redrawn) {
    const std::vector<Sprite>& sprites = desk().document().sprites().sprites;
    const std::optional<std::size_t> chosen = desk().chosen_sprite();
    const TRect open = preview_rect(redrawn, block);
    const int across = block.width / desk().document().mode().shape.pixel_aspect;
    auto line = [&](int x1, int y1, int x2, int y2) {
        Canvas->FillRect({std::max(x1, open.Left), std::max(y1, open.Top), std::min(x2, open.Right),
                          std::min(y2, open.Bottom)});
    };
    for (std::size_t n = sprites.size(); n-- > 0;) {
        const Sprite& sprite = sprites[n];
        const int x0 = block.origin + sprite.x * across,
                  y0 = block.origin + sprite.y * block.height;
        const int x1 = x0 + sprite.width() * across, y1 = y0 + sprite.height() * block.height;
        Canvas->Brush.Color = n == chosen ? RGBColor(255, 255, 0) : clWhite;
        line(x0, y0, x1, y0 + 1);
        line(x0, y1 - 1, x1, y1);
        line(x0, y0, x0 + 1, y1);
        line(x1 - 1, y0, x1, y1);
    }
}

void Tokno_prv::draw_marks(const PreviewPixels& block, const PixelArea& redrawn) {
    const Document& document = desk().document();
    if (document.selection())
        draw_dashed_edge(*Canvas, selection_edge(), document.selected_pixels(), block, 2, redrawn);
    draw_sprite_outlines(block, redrawn);
    const int across = desk().paint_target() == PaintTarget::Sprites
                           ? block.width / document.mode().shape.pixel_aspect
                           : block.width;
    draw_symmetry_axes(*Canvas, desk().painter().symmetry, block.origin, block.origin, across,
                       block.height, preview_rect(redrawn, block));
    draw_view_frame(block, redrawn);
}

// Only pixels of the picture are drawn.
void Tokno_prv::draw(std::uint64_t left, std::uint64_t top, std::uint64_t right,
                     std::uint64_t bottom) {
    const ConstPixelGrid picture = desk().document().grid();
    const PictureShape& shape = desk().document().mode().shape;
    const Palette& colors = shown_colors();
    const PreviewPixels block = preview_pixels(desk().preview_size, shape);
    const ReferenceLayer reference = desk().reference_layer();
    right = std::min<std::uint64_t>(right, std::uint64_t(picture.width));
    bottom = std::min<std::uint64_t>(bottom, std::uint64_t(picture.height));
    const int first = int(std::min<std::uint64_t>(left, right)), count = int(right) - first;
    const int down_from = int(std::min<std::uint64_t>(top, bottom));
    const PixelArea area{first, down_from, count, int(bottom) - down_from};
    if (shown_pal_view().preview) {
        draw_pal_preview(*Canvas, shown_grid(desk().document()), shape.pixel_aspect, area, block,
                         reference);
    } else {
        // Rows a sprite lies on at screen resolution, the others a colour a picture pixel.
        ShownRows shown(desk().document());
        const int aspect = shape.pixel_aspect;
        std::vector<std::uint8_t> indices(std::size_t(std::max(count, 0) * aspect));
        std::vector<TColor> row(indices.size());
        for (int v = down_from; v < int(bottom); ++v) {
            const int across = shown.has_sprites(v) ? aspect : 1;
            if (across == 1)
                std::copy_n(picture.row(v) + first, count, indices.begin());
            else
                shown.row(v, first, first + count, indices.data());
            for (int i = 0; i < count * across; ++i)
                row[std::size_t(i)] = colors[indices[std::size_t(i)] & 0x0F];
            reference.blend_row(v, first, count, across, row.data());
            const int x = block.origin + block.width * first, y = block.origin + block.height * v;
            for (int line = 0; line < block.height; ++line)
                Canvas->SetPixelRow(x, y + line, row.data(), count * across, block.width / across);
        }
    }
    draw_marks(block, area);
}

void Tokno_prv::redraw() {
    const PictureShape& shape = desk().document().mode().shape;
    draw(0, 0, std::uint64_t(shape.width), std::uint64_t(shape.height));
}

void Tokno_prv::draw_pal_rows(const std::vector<PixelArea>& rows) {
    const PictureShape& shape = desk().document().mode().shape;
    const PreviewPixels block = preview_pixels(desk().preview_size, shape);
    const ReferenceLayer reference = desk().reference_layer();
    const ShownGrid shown = shown_grid(desk().document());
    for (const PixelArea& row : rows) {
        draw_pal_preview(*Canvas, shown, shape.pixel_aspect, row, block, reference);
        draw_marks(block, row);
    }
}

void Tokno_prv::show_painted(const PaintReport& report) {
    if (report.pixels.empty()) return;
    if (shown_pal_view().preview) {
        for (const PixelPos& at : report.pixels) pal_changes_.add(at);
        return draw_pal_rows(pal_changes_.take_reach(desk().document().mode().shape));
    }
    PixelArea area;
    for (const PixelPos& at : report.pixels) area = united(area, {at.column, at.row, 1, 1});
    draw(std::uint64_t(area.left), std::uint64_t(area.top), std::uint64_t(area.right()) + 1,
         std::uint64_t(area.bottom()) + 1);
}
