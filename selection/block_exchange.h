#pragma once
#include "colour/lab.h"
#include "colour/rgb_image.h"
#include "selection/block.h"
#include <optional>
#include <span>
#include <vector>

// A block as it travels through the clipboard: Vexlor's own lossless form, and an image from
// another program. No Qt.

// Vexlor's own form: the width and the height as 16-bit little-endian numbers, then the colour
// indices row by row; a block that holds only some of its pixels then has its mask, a byte a
// pixel (1 where held).
std::vector<std::uint8_t> encode_block(const PixelBlock& block);

// The block, or nothing when the bytes are not one: a size outside that of `picture`, a length
// that does not match it, an index above 15 or a mask byte above 1.
std::optional<PixelBlock> decode_block(std::span<const std::uint8_t> bytes,
                                       const PictureShape& picture);

// The colours the picture is shown in, for matching.
LabPalette shown_lab_palette();

// An image as a block: one wider than `picture` is taken as pixel pairs where its pixels show
// two wide (two image pixels, averaged in linear light, make one picture pixel), a narrower one
// pixel for pixel; each is the nearest of `colors` in CIELAB. Whatever lies past the picture's
// size is left out.
PixelBlock block_from_image(const RgbImage& image, const LabPalette& colors,
                            const PictureShape& picture);
