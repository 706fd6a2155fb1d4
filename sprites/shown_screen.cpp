#include "sprites/shown_screen.h"
#include "c64/sizes.h"
#include "sprites/sprite_pixels.h"
#include <algorithm>
#include <array>
#include <type_traits>

namespace {

constexpr std::size_t kScreenPixels = std::size_t(kHiresColumns) * kBitmapRows;

bool any_behind(const SpriteSet& set) {
    return std::any_of(set.sprites.begin(), set.sprites.end(),
                       [](const Sprite& sprite) { return sprite.behind; });
}

} // namespace

void compose_row(const SpriteSet& set, int screen_row, std::span<std::uint8_t> colours,
                 std::span<const std::uint8_t> foreground) {
    std::array<bool, kHiresColumns> decided{};
    for (const Sprite& sprite : set.sprites) {
        const int line = screen_row - sprite.y;
        if (line < 0 || line >= sprite.height()) continue;
        const std::uint32_t bits = sprite_row_bits(sprite, sprite.expand_y ? line / 2 : line);
        if (bits == 0) continue;
        // Each of the row's pixels once, then each screen pixel it covers.
        std::array<std::optional<std::uint8_t>, kSpriteWidth> row_colours;
        for (int pixel = 0; pixel < kSpriteWidth; ++pixel)
            row_colours[std::size_t(pixel)] = pixel_colour(set, sprite, bits, pixel);
        const int scale = sprite.expand_x ? 2 : 1;
        const int first = std::max(0, -sprite.x),
                  last = std::min(sprite.width(), kHiresColumns - sprite.x);
        const bool under = sprite.behind && !foreground.empty();
        for (int i = first; i < last; ++i) {
            const std::optional<std::uint8_t> colour = row_colours[std::size_t(i / scale)];
            const auto column = std::size_t(sprite.x + i);
            if (!colour || decided[column]) continue;
            decided[column] = true;
            if (!(under && foreground[column])) colours[column] = *colour;
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

namespace {

std::vector<std::uint8_t> foreground_for(ConstPixelGrid pixels, const Mode& mode,
                                         std::uint8_t background, const SpriteSet& sprites) {
    if (!any_behind(sprites)) return {};
    return foreground_of(mode.encode(pixels, background).image);
}

} // namespace

std::vector<std::uint8_t> foreground_mask(const Document& document) {
    return foreground_for(document.grid(), document.mode(), document.back_color,
                          document.sprites());
}

std::vector<std::uint8_t> shown_screen(const Document& document) {
    return shown_screen(document.grid(), document.mode(), document.back_color, document.sprites());
}

std::vector<std::uint8_t> shown_screen(ConstPixelGrid pixels, const Mode& mode,
                                       std::uint8_t background, const SpriteSet& sprites) {
    std::vector<std::uint8_t> screen(kScreenPixels);
    const int widen = kHiresColumns / pixels.width;
    for (int row = 0; row < kBitmapRows; ++row)
        for (int column = 0; column < kHiresColumns; ++column)
            screen[std::size_t(row * kHiresColumns + column)] = pixels.row(row)[column / widen];
    const std::vector<std::uint8_t> foreground = foreground_for(pixels, mode, background, sprites);
    const auto width = std::size_t(kHiresColumns);
    for (int row = 0; row < kBitmapRows; ++row) {
        const std::span<std::uint8_t> colours(screen.data() + std::size_t(row) * width, width);
        compose_row(sprites, row, colours,
                    foreground.empty()
                        ? std::span<const std::uint8_t>()
                        : std::span(foreground).subspan(std::size_t(row) * width, width));
    }
    return screen;
}
