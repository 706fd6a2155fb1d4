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
std::uint32_t sprite_row_bits(const Sprite& sprite, int row);

// The colour of a sprite's pixel `pixel` (0..23, in hires pixels) given its row's bits; none
// when clear. In multicolour, pixels 2k and 2k + 1 are one.
std::optional<std::uint8_t> pixel_colour(const SpriteSet& set, const Sprite& sprite,
                                         std::uint32_t row_bits, int pixel);
