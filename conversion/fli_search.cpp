#include "conversion/fli_search.h"
#include "colour/color_difference.h"
#include "picture/picture.h"
#include <algorithm>
#include <limits>

namespace {

// A pixel's error against a colour in quarters of a unit of CIEDE2000 difference, capped so that a
// cell's sum fits 16 bits.
using RowCosts = std::array<std::uint16_t, kCellWidth>;
constexpr float kCostUnit = 4.0f;
constexpr float kMaxCost = float(std::numeric_limits<std::uint16_t>::max() / kCellPixels);

std::uint16_t cost(float error_squared) {
    return std::uint16_t(std::min(std::sqrt(error_squared) * kCostUnit, kMaxCost));
}

// costs[y][c]: the row's pixels against colour c.
using CellCosts = std::array<std::array<RowCosts, 16>, kCellHeight>;

void fill_costs(const std::vector<Lab>& target, int cell, const LabPalette& colors,
                CellCosts& costs) {
    const LabCPalette palette = with_chroma(colors);
    for (int pixel = 0; pixel < kCellPixels; ++pixel) {
        const LabC wanted = with_chroma(target[std::size_t(cell_pixel_offset(cell, pixel))]);
        for (int c = 0; c < 16; ++c) {
            const float difference = color_difference(wanted, palette[c]);
            costs[pixel / kCellWidth][c][pixel % kCellWidth] = cost(difference * difference);
        }
    }
}

struct RowBest {
    unsigned error = std::numeric_limits<unsigned>::max();
    std::uint8_t first = 0, second = 0;
};

// The rows that show one row's screen colours: itself, or for the last screen row, the rows
// below it too.
struct ScreenGroup {
    std::array<int, kCellHeight> rows{};
    int count = 0;
};

// The best pair of screen colours for a group of rows whose pixels already cost `base` at
// least.
RowBest best_pair(const CellCosts& costs, const std::array<RowCosts, kCellHeight>& base,
                  const ScreenGroup& group) {
    RowBest best;
    std::array<RowCosts, kCellHeight> with_first;
    for (int first = 0; first < 16; ++first) {
        for (int g = 0; g < group.count; ++g)
            for (int x = 0; x < kCellWidth; ++x)
                with_first[g][x] = std::min(base[group.rows[g]][x], costs[group.rows[g]][first][x]);
        for (int second = first + 1; second < 16; ++second) {
            unsigned error = 0;
            for (int g = 0; g < group.count; ++g)
                for (int x = 0; x < kCellWidth; ++x)
                    error += std::min(with_first[g][x], costs[group.rows[g]][second][x]);
            if (error < best.error) best = {error, std::uint8_t(first), std::uint8_t(second)};
        }
    }
    return best;
}

std::array<ScreenGroup, kCellHeight> screen_groups(int cell) {
    std::array<ScreenGroup, kCellHeight> groups;
    const int top = cell / kCellColumns * kCellHeight;
    for (int y = 0; y < kCellHeight; ++y) {
        ScreenGroup& group = groups[screen_row_of(top + y) - top];
        group.rows[group.count++] = y;
    }
    return groups;
}

} // namespace

RowColors rows_of_cells(const CellColors& cells) {
    RowColors rows;
    rows.background = cells.background;
    for (int row = 0; row < kPictureRows; ++row)
        for (int column = 0; column < kPictureColumns; column += kCellWidth)
            rows.rows[std::size_t(cell_row_of(column, row))] = cells.cells[cell_of(column, row)];
    return rows;
}

RowColors choose_fli_colors(const std::vector<Lab>& target, const LabPalette& colors,
                            std::uint8_t background) {
    RowColors choice;
    choice.background = background;
    CellCosts costs;
    for (int cell = 0; cell < kCells; ++cell) {
        fill_costs(target, cell, colors, costs);
        const std::array<ScreenGroup, kCellHeight> groups = screen_groups(cell);
        unsigned least = std::numeric_limits<unsigned>::max();
        std::uint8_t best_shared = 0;
        std::array<RowBest, kCellHeight> best_rows{};
        for (int shared = 0; shared < 16; ++shared) {
            if (shared == background) continue;
            std::array<RowCosts, kCellHeight> base;
            for (int y = 0; y < kCellHeight; ++y)
                for (int x = 0; x < kCellWidth; ++x)
                    base[y][x] = std::min(costs[y][background][x], costs[y][shared][x]);
            std::array<RowBest, kCellHeight> rows{};
            unsigned error = 0;
            for (int y = 0; y < kCellHeight && error < least; ++y) {
                if (groups[y].count == 0) continue;
                rows[y] = best_pair(costs, base, groups[y]);
                error += rows[y].error;
            }
            if (error < least) least = error, best_shared = std::uint8_t(shared), best_rows = rows;
        }
        const int first_row = first_cell_row(cell);
        for (int y = 0; y < kCellHeight; ++y)
            for (int g = 0; g < groups[y].count; ++g)
                choice.rows[std::size_t(first_row + groups[y].rows[g] * kCellColumns)] = {
                    background, best_rows[y].first, best_rows[y].second, best_shared};
    }
    return choice;
}
