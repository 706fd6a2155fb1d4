#pragma once
#include <cstdint>

// A display colour as the editor stores it: 0x00BBGGRR, red in the low byte.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGBColor(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned RedOf(TColor c) { return c & 0xFF; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFF; }

// The surface stores 0xFFRRGGBB words; these are the only two conversions.
constexpr std::uint32_t SurfaceWord(TColor c) {
    return 0xFF000000u | (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
}
constexpr TColor FromSurfaceWord(std::uint32_t w) {
    return RGBColor((w >> 16) & 0xFF, (w >> 8) & 0xFF, w & 0xFF);
}
