#pragma once
#include "c64/sizes.h"
#include "c64/sprites.h"
#include <array>
#include <optional>
#include <string>
#include <vector>

// How a C64 shows more sprites than its eight: each sprite of a set gets one of the 8 hardware
// sprites, and raster interrupts move a hardware sprite to its next sprite once the one before
// has been drawn. The program that runs the plan is c64/sprite_viewer.asm.
//
// The plan keeps to these rules:
// - A sprite that shows no pixel in the display window takes no hardware sprite.
// - At most 8 sprites on a raster line (crowded_rows below); more are refused, naming the
//   picture's row.
// - Where two sprites have pixels on the same screen pixel, the one earlier in the set gets the
//   lower hardware sprite, so it lies on top as the editor shows it.
// - A hardware sprite's registers (Y, X with its ninth bit, pointer, colour, multicolour,
//   expansion and priority bits) are all rewritten in the raster lines between the last line
//   its previous sprite is drawn on and the top line of its next one, by an interrupt whose
//   time is counted in CPU cycles: 63 a line, fewer on bad lines and wherever sprites are
//   fetched. Sprites are placed from the top down, each on the hardware sprite that has been
//   free longest among those its overlaps allow, so that every rewrite gets the most room.
// - Where no interrupt can finish in time, the plan is refused, naming the two sprites that are
//   too close and the lines they need between them.
// - The last interrupt of a frame, below the picture, puts every hardware sprite's first
//   sprite in place for the next frame.

// The eight-a-line limit. A sprite lies on every picture row (0..199) its box covers, blank or
// not, once its box reaches into the display window: the VIC-II fetches it on each of those
// lines. How many sprites each row holds; the rows that hold more than 8, top first; the first
// of them; the sprites on a row.
std::array<int, kBitmapRows> sprites_per_row(const SpriteSet& sprites);
std::vector<int> crowded_rows(const SpriteSet& sprites);
std::optional<int> crowded_row(const SpriteSet& sprites);
std::vector<int> sprites_on_row(const SpriteSet& sprites, int row);

// A sprite's place in the VIC-II's coordinates: X 0..503 (a sprite reaching past the window's
// left edge lies at the end of the line, which on PAL wraps from 503 to 0), Y 0..255.
struct VicPosition {
    int x = 0;
    int y = 0;
};
VicPosition vic_position(const Sprite& sprite);

// The most CPU cycles the viewer's interrupt takes to put `rewrites` sprites in place, from the
// start of its raster line to its return.
int interrupt_cycles(int rewrites);

// From this interrupt on, the hardware sprite shows `sprite` (an index into the set).
struct SpriteRewrite {
    int hardware = 0;
    int sprite = 0;
    bool operator==(const SpriteRewrite&) const = default;
};

// A raster interrupt: the line it starts on, and the sprites it puts in place, in order.
struct RasterInterrupt {
    int line = 0;
    std::vector<SpriteRewrite> rewrites;
};

// The interrupts of a frame in the order they run, the last one below the picture; or, with no
// interrupts, why the sprites cannot be shown ("Sprites 3 and 11 are too close ..."). A set in
// which no sprite shows has neither.
struct MultiplexPlan {
    std::vector<RasterInterrupt> interrupts{};
    std::string refusal{};
};
MultiplexPlan plan_multiplex(const SpriteSet& sprites);
