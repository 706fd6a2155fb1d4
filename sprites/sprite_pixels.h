#pragma once
#include "c64/sprites.h"
#include "geometry/geometry.h"
#include <cstddef>
#include <cstdint>
#include <optional>

// The sprites' pixels under the screen pixels of the 320 x 200 display window (column 0..319,
// row 0..199; a multicolour picture's pixel (c, r) covers the screen pixels (2c, r) and
// (2c + 1, r)). A hires sprite's pixel is one screen pixel, a multicolour sprite's two, each
// twice as wide and high again where the sprite is expanded.

// The topmost sprite (the lowest index) whose box holds the screen pixel.
std::optional<std::size_t> sprite_under(const SpriteSet& set, PixelPos screen);

// The colour sprite `index` shows at the screen pixel: none where its pixel is clear or the
// screen pixel lies outside its box.
std::optional<std::uint8_t> sprite_colour_at(const SpriteSet& set, std::size_t index,
                                             PixelPos screen);

enum class SpritePaint { Painted, Unchanged, NoSprite, NotItsColour };

// Paints the pixel, under the screen pixel, of the topmost sprite whose box holds it, in
// `colour`, or clears it when none. A hires sprite takes only its own colour; a multicolour one
// its own and the two colours all multicolour sprites share.
SpritePaint paint_sprite_pixel(SpriteSet& set, PixelPos screen, std::optional<std::uint8_t> colour);

// A row of a sprite's pixels as the VIC-II reads them: 24 bits, the leftmost pixel in bit 23.
inline std::uint32_t sprite_row_bits(const Sprite& sprite, int row) {
    const auto* bytes = &sprite.data[std::size_t(row * kSpriteRowBytes)];
    return std::uint32_t(bytes[0]) << 16 | std::uint32_t(bytes[1]) << 8 | bytes[2];
}

// A pixel's bits, counted from the right of its row's 24: one in hires, a pair in multicolour
// (the pair of the pixel's left half).
struct PixelBits {
    int shift;
    std::uint32_t mask;
};
inline PixelBits bits_of(const Sprite& sprite, int pixel) {
    if (sprite.multicolour) return {22 - (pixel & ~1), 3};
    return {23 - pixel, 1};
}

// The colour of a sprite's pixel `pixel` (0..23, in hires pixels) given its row's bits; none
// when clear. In multicolour, pixels 2k and 2k + 1 are one. (Inline: what shows is composed
// from it pixel by pixel.)
inline std::optional<std::uint8_t> pixel_colour(const SpriteSet& set, const Sprite& sprite,
                                                std::uint32_t row_bits, int pixel) {
    const PixelBits bits = bits_of(sprite, pixel);
    switch (row_bits >> bits.shift & bits.mask) {
    case 0:
        return std::nullopt;
    case 1:
        return sprite.multicolour ? set.shared_colour0 : sprite.colour;
    case 2:
        return sprite.colour;
    default:
        return set.shared_colour1;
    }
}
