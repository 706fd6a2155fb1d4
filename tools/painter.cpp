#include "tools/painter.h"
#include "display/displayed_palette.h"
#include "raster/raster.h"
#include "sprites/shown_rows.h"
#include "sprites/shown_screen.h"
#include "sprites/sprite_pixels.h"
#include <algorithm>
#include <utility>

namespace {

// The pixels the pen or brush covers at `point`, each with the colour it is stamped in.
template <class Visit>
void stamped(PixelPos point, const std::vector<StampPixel>& stamp, Visit visit) {
    for (const StampPixel& pixel : stamp)
        visit(PixelPos{point.column + pixel.column, point.row + pixel.row}, pixel.color);
}

} // namespace

Painter::Painter(Document& document) : document_(document) {}

PixelArea Painter::area() const {
    return target == PaintTarget::Sprites ? PixelArea{0, 0, kHiresColumns, kPictureRows}
                                          : document_.whole();
}

int Painter::pixel_aspect() const {
    return target == PaintTarget::Sprites ? 1 : document_.mode().shape.pixel_aspect;
}

std::uint8_t Painter::shown_colour(PixelPos at) const {
    if (target == PaintTarget::Bitmap) return document_.read_pixel(at.column, at.row);
    return shown_colour_at(document_, at);
}

std::vector<PixelPos> Painter::area_of_one_colour(PixelPos seed) const {
    if (target == PaintTarget::Bitmap) return fill_area(document_.grid(), seed);
    const std::vector<std::uint8_t> screen = shown_screen(document_);
    return fill_area({screen.data(), kHiresColumns, kPictureRows}, seed);
}

// The background clears the pixel. What the sprite pixel covers on screen shows anew: one or
// two picture pixels across (a multicolour sprite's pixel, an expanded one), two rows down
// where expanded.
bool Painter::paint_sprite(PixelPos at, std::uint8_t color) {
    if (!area().contains(at)) return false;
    SpriteSet& sprites = document_.edited_sprites();
    const std::optional<std::uint8_t> colour =
        color == document_.back_color ? std::nullopt : std::optional(color);
    switch (paint_sprite_pixel(sprites, at, colour)) {
    case SpritePaint::NoSprite:
        report_.sprite_refusal = "No sprite lies there";
        return false;
    case SpritePaint::NotItsColour:
        report_.sprite_refusal = "Sprite " + std::to_string(*sprite_under(sprites, at)) +
                                 " cannot show " + colour_names[color & 0x0F];
        return false;
    case SpritePaint::Unchanged:
        return true;
    case SpritePaint::Painted:
        break;
    }
    const Sprite& sprite = sprites.sprites[*sprite_under(sprites, at)];
    const int across = (sprite.multicolour ? 2 : 1) * (sprite.expand_x ? 2 : 1);
    const int down = sprite.expand_y ? 2 : 1;
    const int left = sprite.x + (at.column - sprite.x) / across * across;
    const int top = sprite.y + (at.row - sprite.y) / down * down;
    const int aspect = document_.mode().shape.pixel_aspect;
    const PixelArea covered =
        clipped({left / aspect, top, (left + across - 1) / aspect - left / aspect + 1, down},
                document_.whole());
    for (int row = covered.top; row <= covered.bottom(); ++row)
        for (int column = covered.left; column <= covered.right(); ++column)
            report_.pixels.push_back({column, row});
    return true;
}

std::vector<StampPixel> Painter::stamp(Tip tip, std::uint8_t color) const {
    if (tip == Tip::Pixel) return {{0, 0, color}};
    if (pen.brush) return brush_stamp(*pen.brush, tip == Tip::Stamp, color, document_.back_color);
    return pen_stamp(pen.shape, pen.size, pixel_aspect(), color);
}

// The slots are kept between calls, all -1, so a stroke's move costs the pixels it covers.
std::vector<InkedPixel> Painter::pixels_at(const std::vector<PixelPos>& points, std::uint8_t color,
                                           Tip tip) {
    const PixelArea whole = area();
    slot_.resize(std::size_t(whole.width * whole.height), -1);
    const std::vector<StampPixel> pen_pixels = stamp(tip, color);
    const bool own_colours = tip == Tip::Stamp && pen.brush;
    std::vector<InkedPixel> pixels;
    pixels.reserve(points.size() * pen_pixels.size());
    auto add = [&](PixelPos pixel, std::uint8_t stamped_color) {
        if (!whole.contains(pixel)) return;
        const std::optional<std::uint8_t> color = inked(pixel, stamped_color, own_colours);
        if (!color) return;
        int& slot = slot_[std::size_t(pixel.row * whole.width + pixel.column)];
        if (slot >= 0) return void(pixels[std::size_t(slot)].color = *color);
        slot = int(pixels.size());
        pixels.push_back({pixel, *color});
    };
    // Each stamped pixel is mirrored, so that a brush is painted mirrored too.
    for (const PixelPos& point : points)
        stamped(point, pen_pixels, [&](PixelPos pixel, std::uint8_t stamped_color) {
            symmetry.images(pixel, [&](PixelPos image) { add(image, stamped_color); });
        });
    for (const InkedPixel& pixel : pixels)
        slot_[std::size_t(pixel.at.row * whole.width + pixel.at.column)] = -1;
    return pixels;
}

std::optional<std::uint8_t> Painter::inked(PixelPos at, std::uint8_t color,
                                           bool own_colours) const {
    const std::optional<std::uint8_t> chosen = own_colours ? color : ink.at(at, color);
    if (chosen && blend && *chosen == blend->first) return blend->color_on_row(at.row);
    return chosen;
}

Plotted Painter::plot_chosen(PixelPos at, std::uint8_t color) {
    return plot_as_chosen(document_, full_cell, document_.format(), at.column, at.row, color,
                          lab_palette(shown_palette()));
}

// Of a recoloured cell, the pixels that changed show as painted, like the painted pixel itself.
void Painter::paint_shown(PixelPos at, std::uint8_t color) {
    if (target == PaintTarget::Sprites) return void(paint_sprite(at, color));
    std::vector<std::uint8_t> before;
    PixelArea area;
    if (full_cell == FullCell::ReplaceColour) {
        area = document_.mode().cell_at(at);
        for (int i = 0; i < area.width * area.height; ++i)
            before.push_back(
                document_.read_pixel(area.left + i % area.width, area.top + i / area.width));
    }
    const Plotted plotted = plot_chosen(at, color);
    report_.found = plotted.found;
    if (!plotted.accepted) {
        report_.refused = at;
        return;
    }
    if (plotted.area_recoloured)
        for (int i = 0; i < area.width * area.height; ++i) {
            const PixelPos pixel{area.left + i % area.width, area.top + i / area.width};
            if (document_.read_pixel(pixel.column, pixel.row) != before[std::size_t(i)])
                report_.pixels.push_back(pixel);
        }
    report_.pixels.push_back(at);
}

void Painter::paint(PixelPos point, std::uint8_t color, Tip tip) {
    if (tip == Tip::Pixel)
        return symmetry.images(point, [&](PixelPos image) {
            if (const std::optional<std::uint8_t> image_color = inked(image, color, false))
                paint_shown(image, *image_color);
        });
    for (const InkedPixel& pixel : pixels_at({point}, color, tip))
        paint_shown(pixel.at, pixel.color);
}

void Painter::paint_line(PixelPos from, PixelPos to, std::uint8_t color, Tip tip) {
    for (const InkedPixel& pixel : pixels_at(line_pixels(from, to), color, tip))
        paint_shown(pixel.at, pixel.color);
}

void Painter::paint_quietly(const std::vector<PixelPos>& points, std::uint8_t color, Tip tip) {
    const PictureModel::KeepingScans kept(document_);
    for (const InkedPixel& pixel : pixels_at(points, color, tip))
        if (target == PaintTarget::Sprites)
            paint_sprite(pixel.at, pixel.color);
        else if (plot_chosen(pixel.at, pixel.color).accepted)
            report_.redrawn = united(report_.redrawn, {pixel.at.column, pixel.at.row, 1, 1});
        else
            report_.refused = pixel.at;
}

Plotted Painter::plot(PixelPos at, std::uint8_t color) { return plot_chosen(at, color); }

PaintReport Painter::take_report() { return std::exchange(report_, {}); }
