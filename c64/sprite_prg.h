#pragma once
#include "c64/fli.h"
#include "c64/hires.h"
#include "c64/multicolor.h"
#include "c64/sprites.h"
#include <cstdint>
#include <string>
#include <vector>

// A C64 program that shows a picture with its sprites, or why none can (its bytes empty then).
struct SpriteProgram {
    std::vector<std::uint8_t> bytes{};
    std::string refusal{};
};

// The picture and its sprites (C64 colour numbers) as a program that shows them when run: the
// viewer c64/sprite_viewer.asm with the plan of c64/sprite_multiplex.h. Where no sprite shows a
// pixel, the program is the very one write_prg or write_hires_prg makes without sprites.
SpriteProgram write_prg(const MulticolorImage& image, const SpriteSet& sprites);
SpriteProgram write_hires_prg(const HiresImage& image, const SpriteSet& sprites);

// FLI and AFLI programs show no sprites: one that shows a pixel refuses the program.
SpriteProgram write_fli_prg(const FliImage& image, const SpriteSet& sprites);
SpriteProgram write_afli_prg(const AfliImage& image, const SpriteSet& sprites);
