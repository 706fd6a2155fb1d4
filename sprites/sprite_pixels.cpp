#include "sprites/sprite_pixels.h"

namespace {

bool box_holds(const Sprite& sprite, PixelPos screen) {
    return screen.column >= sprite.x && screen.column - sprite.x < sprite.width() &&
           screen.row >= sprite.y && screen.row - sprite.y < sprite.height();
}

// The sprite's own pixel (column 0..23 in hires pixels, row 0..20) under a screen pixel its
// box holds.
PixelPos own_pixel(const Sprite& sprite, PixelPos screen) {
    return {(screen.column - sprite.x) / (sprite.expand_x ? 2 : 1),
            (screen.row - sprite.y) / (sprite.expand_y ? 2 : 1)};
}

// The bits a colour takes in the sprite; none when the sprite cannot show it.
std::optional<std::uint32_t> bits_for(const SpriteSet& set, const Sprite& sprite,
                                      std::uint8_t colour) {
    if (!sprite.multicolour) return colour == sprite.colour ? std::optional(1u) : std::nullopt;
    if (colour == sprite.colour) return 2u;
    if (colour == set.shared_colour0) return 1u;
    if (colour == set.shared_colour1) return 3u;
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> sprite_under(const SpriteSet& set, PixelPos screen) {
    for (std::size_t n = 0; n < set.sprites.size(); ++n)
        if (box_holds(set.sprites[n], screen)) return n;
    return std::nullopt;
}

std::optional<std::uint8_t> sprite_colour_at(const SpriteSet& set, std::size_t index,
                                             PixelPos screen) {
    if (index >= set.sprites.size()) return std::nullopt;
    const Sprite& sprite = set.sprites[index];
    if (!box_holds(sprite, screen)) return std::nullopt;
    const PixelPos own = own_pixel(sprite, screen);
    return pixel_colour(set, sprite, sprite_row_bits(sprite, own.row), own.column);
}

SpritePaint paint_sprite_pixel(SpriteSet& set, PixelPos screen,
                               std::optional<std::uint8_t> colour) {
    const std::optional<std::size_t> index = sprite_under(set, screen);
    if (!index) return SpritePaint::NoSprite;
    Sprite& sprite = set.sprites[*index];
    std::uint32_t value = 0;
    if (colour) {
        const std::optional<std::uint32_t> bits = bits_for(set, sprite, *colour);
        if (!bits) return SpritePaint::NotItsColour;
        value = *bits;
    }
    const PixelPos own = own_pixel(sprite, screen);
    const PixelBits bits = bits_of(sprite, own.column);
    const std::uint32_t was = sprite_row_bits(sprite, own.row);
    const std::uint32_t now = (was & ~(bits.mask << bits.shift)) | value << bits.shift;
    if (now == was) return SpritePaint::Unchanged;
    auto* bytes = &sprite.data[std::size_t(own.row * kSpriteRowBytes)];
    bytes[0] = std::uint8_t(now >> 16);
    bytes[1] = std::uint8_t(now >> 8);
    bytes[2] = std::uint8_t(now);
    return SpritePaint::Painted;
}
