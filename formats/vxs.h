#pragma once
#include "c64/sprites.h"
#include "picture/picture.h"
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Vexlor's picture-with-sprites file (.vxs): the picture in its mode, its background, and the
// sprites over it, every colour a Vexlor index. Little-endian throughout:
//   0  "VXS" and 0x1A                        6  the background (0..15)
//   4  the version, 1                        7  the pixel bytes' length n (32 bits)
//   5  the mode (its picture_format value)  11  the pixels as a .vxr file holds them (n bytes)
// then the two shared sprite colours, the number of sprites (16 bits) and each sprite: its 63
// bytes, x and y (signed 16 bits, screen pixels of the 320 x 200 window), its colour, and a
// flags byte (bit 0 multicolour, 1 expanded in width, 2 in height, 3 behind the bitmap).
// Nothing follows the last sprite.

struct PictureWithSprites {
    StoredPicture pixels{}; // as many as the mode's shape has, row by row
    std::uint8_t background = 0;
    PictureFormat format = fmtMulticolor;
    SpriteSet sprites = {};
};

// The picture's grid has the shape of the mode `format`.
std::vector<std::uint8_t> encode_vxs(ConstPixelGrid picture, PictureFormat format,
                                     std::uint8_t background, const SpriteSet& sprites);

// The picture, or why the bytes are none ("the file ends inside sprite 3"): a file too short,
// too long, of another version or holding a value no picture has is refused whole.
struct VxsRead {
    std::optional<PictureWithSprites> picture;
    std::string error;
};
VxsRead decode_vxs(std::span<const std::uint8_t> file);
