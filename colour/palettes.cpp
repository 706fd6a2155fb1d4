#include "colour/palettes.h"

namespace {

// The published tables list colours as 0xRRGGBB in C64 order; the editor keeps TColor
// (0x00BBGGRR) in its own order.
constexpr Palette from_c64_table(const std::array<std::uint32_t, 16>& rgb) {
    Palette colors{};
    for (std::uint8_t n = 0; n < 16; ++n)
        colors[vexlor_color_index(n)] = RGBColor(rgb[n] >> 16, (rgb[n] >> 8) & 0xFF, rgb[n] & 0xFF);
    return colors;
}

// Vexlor's own colours: what a first start shows.
constexpr Palette kVexlor = {
    0x000000, 0xFFFFFF, 0x0000CC, 0xFFFF00, 0x00CC00, 0xFF00FF, 0xC00000, 0x11E0FF,
    0x0070D8, 0x004078, 0x8A8AF0, 0x555555, 0x999999, 0x88E880, 0xFF8800, 0xCCCCCC,
};

constexpr Palette kPepto = from_c64_table({
    0x000000,
    0xFFFFFF,
    0x68372B,
    0x70A4B2,
    0x6F3D86,
    0x588D43,
    0x352879,
    0xB8C76F,
    0x6F4F25,
    0x433900,
    0x9A6759,
    0x444444,
    0x6C6C6C,
    0x9AD284,
    0x6C5EB5,
    0x959595,
});
constexpr Palette kColodore = from_c64_table({
    0x000000,
    0xFFFFFF,
    0x813338,
    0x75CEC8,
    0x8E3C97,
    0x56AC4D,
    0x2E2C9B,
    0xEDF171,
    0x8E5029,
    0x553800,
    0xC46C71,
    0x4A4A4A,
    0x7B7B7B,
    0xA9FF9F,
    0x706DEB,
    0xB2B2B2,
});
constexpr Palette kViceColodore = from_c64_table({
    0x000000,
    0xFFFFFF,
    0x96282E,
    0x5BD6CE,
    0x9F2DAD,
    0x41B936,
    0x2724C4,
    0xEFF347,
    0x9F4815,
    0x5E3500,
    0xDA5F66,
    0x474747,
    0x787878,
    0x91FF84,
    0x6864FF,
    0xAEAEAE,
});

} // namespace

const Palette& palette_colors(PaletteId id) {
    switch (id) {
    case PaletteId::Pepto:
        return kPepto;
    case PaletteId::Colodore:
        return kColodore;
    case PaletteId::ViceColodore:
        return kViceColodore;
    case PaletteId::Vexlor:
        break;
    }
    return kVexlor;
}

const char* palette_name(PaletteId id) {
    switch (id) {
    case PaletteId::Pepto:
        return "Pepto";
    case PaletteId::Colodore:
        return "Colodore";
    case PaletteId::ViceColodore:
        return "VICE colodore";
    case PaletteId::Vexlor:
        break;
    }
    return "Vexlor";
}

const char* c64_color_name(std::uint8_t c64_number) {
    static const char* const names[16] = {"black",  "white",       "red",        "cyan",
                                          "purple", "green",       "blue",       "yellow",
                                          "orange", "brown",       "light red",  "dark grey",
                                          "grey",   "light green", "light blue", "light grey"};
    return names[c64_number & 0x0F];
}
