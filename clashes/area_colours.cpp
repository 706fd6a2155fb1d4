#include "clashes/area_colours.h"

// nearest_color searches a whole palette: the kept colours go first, and the rest of the
// sixteen places repeat the first of them, which the search, taking the first of equals,
// never returns in its place.
std::uint8_t nearest_kept(const Lab& wanted, const AreaCounts& kept, const LabPalette& shown) {
    LabPalette candidates{};
    std::array<std::uint8_t, 16> index{};
    int n = 0;
    for (int i = 0; i < 16; ++i)
        if (kept[i] > 0) candidates[n] = shown[i], index[n++] = std::uint8_t(i);
    for (int i = n; i < 16; ++i) candidates[i] = candidates[0], index[i] = index[0];
    return index[std::size_t(nearest_color(wanted, candidates))];
}
