#include "sprites/shown_rows.h"
#include "sprites/shown_screen.h"
#include <algorithm>
#include <span>

namespace {

// The picture's row as screen pixels, the sprites over it.
void compose_line(const Document& document, int row, std::span<const std::uint8_t> foreground,
                  std::span<std::uint8_t> line) {
    const ConstPixelGrid pixels = document.grid();
    const int widen = kHiresColumns / pixels.width;
    const std::uint8_t* picture_row = pixels.row(row);
    for (int column = 0; column < kHiresColumns; ++column)
        line[std::size_t(column)] = picture_row[column / widen];
    const auto width = std::size_t(kHiresColumns);
    compose_row(document.sprites(), row, line,
                foreground.empty() ? foreground
                                   : foreground.subspan(std::size_t(row) * width, width));
}

} // namespace

ShownRows::ShownRows(const Document& document)
    : document_(document), foreground_(foreground_mask(document)) {
    for (const Sprite& sprite : document.sprites().sprites) {
        if (rows_.empty()) rows_.resize(kBitmapRows);
        const int top = std::max(sprite.y, 0),
                  end = std::min(sprite.y + sprite.height(), kBitmapRows);
        if (sprite.x >= kHiresColumns || sprite.x + sprite.width() <= 0) continue;
        for (int row = top; row < end; ++row) rows_[std::size_t(row)] = true;
    }
}

bool ShownRows::has_sprites(int row) const {
    return !rows_.empty() && row >= 0 && row < kBitmapRows && rows_[std::size_t(row)];
}

void ShownRows::row(int row, int from, int to, std::uint8_t* out) {
    const int aspect = document_.mode().shape.pixel_aspect;
    if (!has_sprites(row)) {
        const std::uint8_t* picture_row = document_.grid().row(row);
        for (int column = from; column < to; ++column)
            std::fill_n(out + (column - from) * aspect, aspect, picture_row[column]);
        return;
    }
    compose_line(document_, row, foreground_, line_);
    std::copy(line_.begin() + from * aspect, line_.begin() + to * aspect, out);
}

ShownGrid shown_grid(const Document& document) {
    if (document.sprites().sprites.empty())
        return {{}, document.grid(), document.mode().shape.pixel_aspect};
    ShownGrid shown{shown_screen(document), {}, 1};
    shown.grid = {shown.screen.data(), kHiresColumns, kBitmapRows};
    return shown;
}

std::uint8_t shown_colour_at(const Document& document, PixelPos screen) {
    std::array<std::uint8_t, kHiresColumns> line{};
    compose_line(document, screen.row, foreground_mask(document), line);
    return line[std::size_t(screen.column)];
}
