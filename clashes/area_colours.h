#pragma once
#include "c64/colour_count.h"
#include "colour/lab.h"
#include <cstdint>

// Of the colours that `kept` counts (any count above 0), the one nearest to `wanted` by the
// conversion's own nearest-colour search, in `shown`. `kept` must count at least one colour.
std::uint8_t nearest_kept(const Lab& wanted, const AreaCounts& kept, const LabPalette& shown);
