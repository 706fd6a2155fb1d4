#pragma once
#include "colour/lab.h"
#include <array>
#include <cstdint>

// How many pixels of each colour index an area (a cell or a row) holds.
using AreaCounts = std::array<int, 16>;

inline int colours_besides(const AreaCounts& counts, std::uint8_t back) {
    int colours = 0;
    for (int i = 0; i < 16; ++i) colours += i != back && counts[i] > 0;
    return colours;
}

// Of the colours that `kept` counts (any count above 0), the one nearest to `wanted` by the
// conversion's own nearest-colour search, in `shown`. `kept` must count at least one colour.
std::uint8_t nearest_kept(const Lab& wanted, const AreaCounts& kept, const LabPalette& shown);
