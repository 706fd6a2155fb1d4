#pragma once
#include <array>
#include <bit>
#include <cstdint>

// What the colour limit counts: the colours an area (a cell, or a row of one) holds besides the
// picture's background, which every area shows anyway.

// How many pixels of each colour index an area holds.
using AreaCounts = std::array<int, 16>;

// Of a set of colour indices (bit i: colour i is there).
constexpr int colours_besides(std::uint16_t colours, std::uint8_t back) {
    return std::popcount(unsigned(colours & ~(1u << (back & 0x0F))));
}

// Of an area's counts: every colour with a pixel there.
template <class Count> int colours_besides(const std::array<Count, 16>& counts, std::uint8_t back) {
    std::uint16_t colours = 0;
    for (int i = 0; i < 16; ++i)
        if (counts[std::size_t(i)] > 0) colours |= std::uint16_t(1u << i);
    return colours_besides(colours, back);
}
