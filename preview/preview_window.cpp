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

void draw_pal_preview(TCanvas& canvas, ConstPixelGrid picture, int pixel_aspect,
                      const PixelArea& area, const PreviewPixels& pixels,
                      const ReferenceLayer& reference) {
    const int part = pixels.width / pixel_aspect;
    thread_local std::vector<TColor> shown;
    shown.resize(std::size_t(area.width * pixel_aspect));
    for (int row = area.top; row <= area.bottom(); ++row) {
        shown_pal_display().show_row(picture, pixel_aspect, row, area.left * pixel_aspect,
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

void Tokno_prv::draw_marks(const PreviewPixels& block, const PixelArea& redrawn) {
    const Document& document = desk().document();
    if (document.selection())
        draw_dashed_edge(*Canvas, selection_edge(), document.selected_pixels(), block, 2, redrawn);
    draw_symmetry_axes(*Canvas, desk().painter().symmetry, block.origin, block.origin, block.width,
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
        draw_pal_preview(*Canvas, picture, shape.pixel_aspect, area, block, reference);
    } else {
        std::vector<TColor> row(std::size_t(std::max(count, 0)));
        for (int v = down_from; v < int(bottom); ++v) {
            const std::uint8_t* pixels = picture.row(v) + first;
            for (int i = 0; i < count; ++i) row[std::size_t(i)] = colors[pixels[i] & 0x0F];
            reference.blend_row(v, first, count, 1, row.data());
            const int x = block.origin + block.width * first, y = block.origin + block.height * v;
            for (int line = 0; line < block.height; ++line)
                Canvas->SetPixelRow(x, y + line, row.data(), count, block.width);
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
    for (const PixelArea& row : rows) {
        draw_pal_preview(*Canvas, desk().document().grid(), shape.pixel_aspect, row, block,
                         reference);
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
