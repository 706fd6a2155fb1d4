#pragma once
#include "colour/tcolor.h"
#include <array>
#include <cstdint>

// Vexlor numbers its colours like the C64 except that green and purple change places: Vexlor's
// green (4) is C64 colour 5 and its purple (5) is C64 colour 4. Pictures always hold Vexlor
// indices; every C64 structure and file holds C64 numbers. The swap is its own inverse.
constexpr std::uint8_t c64_color_number(std::uint8_t vexlor_index) {
    const std::uint8_t index = vexlor_index & 0x0F;
    return index == 4 ? 5 : index == 5 ? 4 : index;
}
constexpr std::uint8_t vexlor_color_index(std::uint8_t c64_number) {
    return c64_color_number(c64_number);
}

// The palettes a picture is shown in or an image may have been drawn in.
enum class PaletteId : std::uint8_t { Vexlor, Pepto, Colodore, ViceColodore };
constexpr std::array<PaletteId, 4> kKnownPalettes = {PaletteId::Vexlor, PaletteId::Pepto,
                                                     PaletteId::Colodore, PaletteId::ViceColodore};

// 16 colours indexed by Vexlor colour index.
using Palette = std::array<TColor, 16>;

const Palette& palette_colors(PaletteId id);
const char* palette_name(PaletteId id);

// The colour's usual name ("light blue"), by its C64 number.
const char* c64_color_name(std::uint8_t c64_number);
