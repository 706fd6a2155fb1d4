#pragma once
#include "c64/hires.h"
#include "c64/multicolor.h"
#include <cstdint>
#include <vector>

// A C64 program that shows the picture when run: it loads at $0801 (BASIC's start), starts
// with RUN, sets the border to the background colour and keeps the picture up until the
// machine is reset. The viewer is c64/viewer.asm.
constexpr std::uint16_t kPrgLoadAddress = 0x0801;
// What the viewers write to $D016: multicolour on, or hires (40 columns either way).
constexpr std::uint8_t kMulticolourControl2 = 0x18, kHiresControl2 = 0x08;

std::vector<std::uint8_t> write_prg(const MulticolorImage& image);
// The same program showing a hires picture, on a black border.
std::vector<std::uint8_t> write_hires_prg(const HiresImage& image);
