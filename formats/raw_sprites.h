#pragma once
#include "c64/sprites.h"
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The sprites as the C64's sprite editors and GIMP's C64 sprite plug-in keep them, and as
// assembler source that puts them in place. Sprites carry Vexlor colour indices; the files the
// C64's numbers.

// Raw sprite data (.spr, .raw): each sprite's 64-byte block, one after another, no header. The
// 64th byte holds the sprite's C64 colour in its low nibble and, for a multicolour sprite, bit 7.
std::vector<std::uint8_t> write_raw_sprites(const SpriteSet& sprites);

// Reads n x 64 bytes, or 2 + n x 64 with a load address in front (as GIMP's plug-in writes,
// loading at $2000). The sprites lie in rows from the picture's top-left corner, 24 x 21 pixels
// apart and 8 to a row (as many as a raster line shows). A 64th byte of 0 names nothing (GIMP's
// plug-in and many tools leave it so): such a sprite is hires in `colour` (a Vexlor index);
// another gives the sprite's colour and, in bit 7, multicolour. A file of any other length, or
// empty, is refused.
struct RawSpritesRead {
    std::optional<SpriteSet> sprites;
    std::string error;
};
RawSpritesRead read_raw_sprites(std::span<const std::uint8_t> file, std::uint8_t colour);

// ACME source for the sprites: the shared colours, each sprite's VIC-II position, C64 colour and
// flags in tables, and the data from `data_file` (raw sprite data as written above) by
// `!binary`; quotes, backslashes and control characters are left out of the name.
std::string sprites_assembler(const SpriteSet& sprites, std::string_view data_file);
