#pragma once
#include "c64/c64_image.h"
#include "c64/sprites.h"
#include "document/document.h"
#include <cstdint>
#include <span>
#include <vector>

// What a C64 shows: the bitmap with the sprites over it (or behind its foreground), as 320 x 200
// screen pixels of Vexlor colour indices, a byte each, row by row.

// Lays the sprites over one screen row. `colours` holds the bitmap's 320 screen pixels of row
// `screen_row` and gets what shows there: each pixel takes the colour of the topmost sprite
// (lowest index) with a pixel there, unless that sprite lies behind and the bitmap's pixel is
// foreground (`foreground`, the row's 320 flags; empty is fine when no sprite lies behind).
// As on the VIC-II, a sprite behind hides the sprites under it even where the bitmap covers it.
void compose_row(const SpriteSet& set, int screen_row, std::span<std::uint8_t> colours,
                 std::span<const std::uint8_t> foreground);

// The bitmap's foreground as the VIC-II sees it, 1 a pixel (320 x 200): in a multicolour bitmap
// the pixels of bit pairs 10 and 11, in a hires one the set bits.
std::vector<std::uint8_t> foreground_of(const C64Image& image);

// The foreground of the picture as its mode encodes it for the C64; empty when no sprite lies
// behind, for then nothing asks.
std::vector<std::uint8_t> foreground_mask(const Document& document);

// What shows of the document: its pixels (a multicolour pixel two screen pixels wide) with its
// sprites.
std::vector<std::uint8_t> shown_screen(const Document& document);
// The same for a picture held outside a document (the converter's), in `mode` on `background`.
std::vector<std::uint8_t> shown_screen(ConstPixelGrid pixels, const Mode& mode,
                                       std::uint8_t background, const SpriteSet& sprites);
