#pragma once
#include <array>
#include <cstdint>
#include <vector>

// The VIC-II's hardware sprites over the 320 x 200 display window: their shape, place, colours
// and flags. Colours are whatever numbering the owner of the sprites uses: the editor keeps its
// own colour indices, and whatever writes a file or a program for a C64 turns them into the
// C64's numbers (colour/palettes.h).

inline constexpr int kSpriteWidth = 24;  // screen pixels, 12 double-wide ones in multicolour
inline constexpr int kSpriteHeight = 21; // raster lines
inline constexpr int kSpriteRowBytes = 3;
inline constexpr int kSpriteBytes = kSpriteRowBytes * kSpriteHeight; // 63
inline constexpr int kSpriteBlockBytes = 64; // a sprite's block in memory; the last byte unused
inline constexpr int kHardwareSprites = 8;   // the most a raster line can show
// Where the display window's top-left pixel lies in the VIC-II's sprite coordinates (PAL).
inline constexpr int kWindowLeft = 24;
inline constexpr int kWindowTop = 50;

struct Sprite {
    // Row by row from the top, three bytes a row, the leftmost pixel in bit 7 of a row's first
    // byte; in multicolour a pair of bits a pixel (00 clear, 01 shared colour 0, 10 the
    // sprite's own colour, 11 shared colour 1).
    std::array<std::uint8_t, kSpriteBytes> data{};
    // The sprite's top-left corner, in the display window's screen pixels (320 x 200): the
    // VIC-II's position is (kWindowLeft + x, kWindowTop + y). It may lie partly off the window.
    int x = 0;
    int y = 0;
    std::uint8_t colour = 1; // its own colour ($D027 + n)
    bool multicolour = false;
    bool expand_x = false; // each pixel twice as wide
    bool expand_y = false; // each row two raster lines
    bool behind = false;   // under the bitmap's foreground pixels

    int width() const { return kSpriteWidth * (expand_x ? 2 : 1); }   // screen pixels
    int height() const { return kSpriteHeight * (expand_y ? 2 : 1); } // raster lines
    bool operator==(const Sprite&) const = default;
};

// Every sprite over one picture, the first on top of the second and so on, and the two colours
// that all multicolour sprites share ($D025, $D026).
struct SpriteSet {
    std::vector<Sprite> sprites;
    std::uint8_t shared_colour0 = 0;
    std::uint8_t shared_colour1 = 0;
    bool operator==(const SpriteSet&) const = default;
};
