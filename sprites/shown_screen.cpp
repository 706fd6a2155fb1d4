#include "sprites/shown_screen.h"
#include "c64/sizes.h"
#include "sprites/sprite_pixels.h"
#include <algorithm>
#include <array>
#include <type_traits>

namespace {

constexpr std::size_t kScreenPixels = std::size_t(kHiresColumns) * kBitmapRows;
constexpr std::uint8_t kClear = 0xFF; // no sprite colour: they are below 16

bool any_behind(const SpriteSet& set) {
    return std::any_of(set.sprites.begin(), set.sprites.end(),
                       [](const Sprite& sprite) { return sprite.behind; });
}

} // namespace

void compose_row(const SpriteSet& set, int screen_row, std::span<std::uint8_t> colours,
                 std::span<const std::uint8_t> foreground) {
    std::array<bool, kHiresColumns> decided{};
    std::array<std::uint8_t, 2 * kSpriteWidth> line_colours;
    for (const Sprite& sprite : set.sprites) {
        const int line = screen_row - sprite.y;
        if (line < 0 || line >= sprite.height()) continue;
        const std::uint32_t bits = sprite_row_bits(sprite, sprite.expand_y ? line / 2 : line);
        if (bits == 0) continue;
        // The row's colours screen pixel by screen pixel, worked out once.
        const int scale = sprite.expand_x ? 2 : 1;
        for (int pixel = 0; pixel < kSpriteWidth; ++pixel) {
            const std::uint8_t colour = pixel_colour(set, sprite, bits, pixel).value_or(kClear);
            for (int i = 0; i < scale; ++i) line_colours[std::size_t(pixel * scale + i)] = colour;
        }
        const int first = std::max(0, -sprite.x);
        const int last = std::min(sprite.width(), kHiresColumns - sprite.x);
        for (int i = first; i < last; ++i) {
            const std::uint8_t colour = line_colours[std::size_t(i)];
            const auto column = std::size_t(sprite.x + i);
            if (colour == kClear || decided[column]) continue;
            decided[column] = true;
            if (!(sprite.behind && !foreground.empty() && foreground[column]))
                colours[column] = colour;
        }
    }
}

std::vector<std::uint8_t> foreground_of(const C64Image& image) {
    std::vector<std::uint8_t> mask(kScreenPixels);
    std::visit(
        [&](const auto& parts) {
            using Parts = std::decay_t<decltype(parts)>;
            // A multicolour pixel is foreground when the left bit of its pair is set.
            constexpr bool pairs =
                std::is_same_v<Parts, MulticolorImage> || std::is_same_v<Parts, FliImage>;
            for (int row = 0; row < kBitmapRows; ++row)
                for (int column = 0; column < kHiresColumns; ++column) {
                    const int cell = row / kCellHeight * kCellColumns + column / kHiresCellWidth;
                    const std::uint8_t byte =
                        parts.bitmap[std::size_t(cell * kCellHeight + row % kCellHeight)];
                    const int bit = column % kHiresCellWidth;
                    mask[std::size_t(row * kHiresColumns + column)] =
                        byte >> (7 - (pairs ? bit & ~1 : bit)) & 1;
                }
        },
        image);
    return mask;
}

std::vector<std::uint8_t> foreground_mask(const Document& document) {
    if (!any_behind(document.sprites())) return {};
    return foreground_of(document.mode().encode(document.grid(), document.back_color).image);
}

std::vector<std::uint8_t> shown_screen(const Document& document) {
    std::vector<std::uint8_t> screen(kScreenPixels);
    const ConstPixelGrid pixels = document.grid();
    const int widen = kHiresColumns / pixels.width;
    for (int row = 0; row < kBitmapRows; ++row)
        for (int column = 0; column < kHiresColumns; ++column)
            screen[std::size_t(row * kHiresColumns + column)] = pixels.row(row)[column / widen];
    const std::vector<std::uint8_t> foreground = foreground_mask(document);
    const auto width = std::size_t(kHiresColumns);
    for (int row = 0; row < kBitmapRows; ++row) {
        const std::span<std::uint8_t> colours(screen.data() + std::size_t(row) * width, width);
        compose_row(document.sprites(), row, colours,
                    foreground.empty()
                        ? std::span<const std::uint8_t>()
                        : std::span(foreground).subspan(std::size_t(row) * width, width));
    }
    return screen;
}
