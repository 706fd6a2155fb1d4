#pragma once
#include "c64/multicolor.h"
#include "colour/lab.h"
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The colours each cell may show: the picture's background (first) and three of its own, as
// indices into the palette the search was given.
struct CellColors {
    std::uint8_t background = 0;
    std::array<std::array<std::uint8_t, 4>, kCells> cells{};
};

// How a pixel's error against a cell's colours is counted: the nearest colour's difference,
// or that of the best two-colour mix (see mix.h), for pictures that are to be dithered.
enum class CellError : std::uint8_t { Nearest, Mix };

// For every cell the three colours that, with the background, show the target (a colour for
// each picture pixel) with the least total colour difference. Every combination is tried.
// Without a `background`, the one whose best cells add up to the least error is taken (black
// when that is as good as any).
CellColors choose_cell_colors(const std::vector<Lab>& target, const LabPalette& colors,
                              std::optional<std::uint8_t> background,
                              CellError error = CellError::Nearest);

// The simple way, to measure the search against: every pixel to its nearest colour, the most
// frequent of those as background, and each cell's three most frequent others.
CellColors choose_cell_colors_by_frequency(const std::vector<Lab>& target,
                                           const LabPalette& colors);
