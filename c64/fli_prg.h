#pragma once
#include "c64/fli.h"
#include "c64/hires.h"
#include <cstdint>
#include <vector>

// A C64 program that shows an FLI picture when run: it loads at $0801 (BASIC's start), starts
// with RUN, sets the border and every line to the first line's background, and keeps the
// picture up until the machine is reset. The viewer is c64/fli_viewer.asm; the screens and the
// bitmap load where the VIC-II reads them, $4000 and $6000, so the file runs up to $7F3F.
std::vector<std::uint8_t> write_fli_prg(const FliImage& image);
// The same program showing an AFLI picture, on a black border.
std::vector<std::uint8_t> write_afli_prg(const AfliImage& image);
