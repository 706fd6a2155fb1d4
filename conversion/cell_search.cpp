#include "conversion/cell_search.h"
#include "colour/color_difference.h"
#include "colour/mix.h"
#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// A pixel's error against a colour, or against the best mix of a pair of colours, in quarters
// of a unit of colour difference (CIEDE2000; CIE76 when mixes count), capped so that a cell's
// sum fits 16 bits. A set's error for a pixel is the least over its colours, or over its pairs
// when mixes count.
using Costs = std::array<std::uint16_t, kCellPixels>;
constexpr float kCostUnit = 4.0f;
constexpr float kMaxCost = float(std::numeric_limits<std::uint16_t>::max() / kCellPixels);

struct CostTable {
    std::array<Costs, 16> single;
    std::array<std::array<Costs, 16>, 16> pair; // both ways round; only filled for mixes
};

std::uint16_t cost(float error_squared) {
    return std::uint16_t(std::min(std::sqrt(error_squared) * kCostUnit, kMaxCost));
}

void fill_costs(const std::vector<Lab>& target, int cell, const LabPalette& colors, CellError error,
                CostTable& table) {
    std::array<Lab, kCellPixels> wanted;
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        wanted[pixel] = target[cell_pixel_offset(cell, pixel)];
    if (error == CellError::Nearest) {
        const LabCPalette palette = with_chroma(colors);
        for (int pixel = 0; pixel < kCellPixels; ++pixel) {
            const LabC color = with_chroma(wanted[pixel]);
            for (int c = 0; c < 16; ++c) {
                const float difference = color_difference(color, palette[c]);
                table.single[c][pixel] = cost(difference * difference);
            }
        }
        return;
    }
    // A picture to be dithered is diffused in CIELAB (see diffusion.h), so its cells are
    // weighed in CIELAB too, as the mixes are.
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        for (int c = 0; c < 16; ++c)
            table.single[c][pixel] = cost(delta_e_squared(wanted[pixel], colors[c]));
    for (int c = 0; c < 16; ++c)
        for (int d = c + 1; d < 16; ++d) {
            for (int pixel = 0; pixel < kCellPixels; ++pixel)
                table.pair[c][d][pixel] =
                    cost(fit_mix(wanted[pixel], colors[c], colors[d]).error_squared);
            table.pair[d][c] = table.pair[c][d];
        }
}

// The least of the rows, per pixel; and its sum.
template <class... Rows> void least_of(Costs& out, const Costs& first, const Rows&... rows) {
    for (int pixel = 0; pixel < kCellPixels; ++pixel) {
        std::uint16_t value = first[pixel];
        ((value = std::min(value, rows[pixel])), ...);
        out[pixel] = value;
    }
}

template <class... Rows> unsigned least_total(const Costs& first, const Rows&... rows) {
    std::uint16_t sum = 0;
    for (int pixel = 0; pixel < kCellPixels; ++pixel) {
        std::uint16_t value = first[pixel];
        ((value = std::min(value, rows[pixel])), ...);
        sum = std::uint16_t(sum + value);
    }
    return sum;
}

// The least cost per pixel once colour `c` joins members whose least cost is `least` so far:
// its own cost, and with mixes those of its pairs with the members.
template <CellError kError, class... Members>
void join(Costs& out, const CostTable& table, const Costs& least, int c, Members... members) {
    if constexpr (kError == CellError::Mix)
        least_of(out, least, table.single[c], table.pair[members][c]...);
    else
        least_of(out, least, table.single[c]);
}

template <CellError kError, class... Members>
unsigned joined_total(const CostTable& table, const Costs& least, int c, Members... members) {
    if constexpr (kError == CellError::Mix)
        return least_total(least, table.single[c], table.pair[members][c]...);
    else
        return least_total(least, table.single[c]);
}

struct Best {
    unsigned error = std::numeric_limits<unsigned>::max();
    std::array<std::uint8_t, 3> colors{};
};

// The set grows one colour at a time, its least cost per pixel carried along.
template <CellError kError> Best best_three(const CostTable& table, int background) {
    Best best;
    Costs m1, m2;
    for (int c1 = 0; c1 < 16; ++c1) {
        if (c1 == background) continue;
        join<kError>(m1, table, table.single[background], c1, background);
        for (int c2 = c1 + 1; c2 < 16; ++c2) {
            if (c2 == background) continue;
            join<kError>(m2, table, m1, c2, background, c1);
            for (int c3 = c2 + 1; c3 < 16; ++c3) {
                if (c3 == background) continue;
                const unsigned error = joined_total<kError>(table, m2, c3, background, c1, c2);
                if (error < best.error)
                    best = {error, {std::uint8_t(c1), std::uint8_t(c2), std::uint8_t(c3)}};
            }
        }
    }
    return best;
}

// The best three for every possible background at once: each set of four colours is the
// candidate of each of its members.
template <CellError kError>
void best_three_for_each_background(const CostTable& table, std::array<Best, 16>& best) {
    best.fill(Best{});
    Costs m2, m3;
    for (int c1 = 0; c1 < 16; ++c1)
        for (int c2 = c1 + 1; c2 < 16; ++c2) {
            join<kError>(m2, table, table.single[c1], c2, c1);
            for (int c3 = c2 + 1; c3 < 16; ++c3) {
                join<kError>(m3, table, m2, c3, c1, c2);
                for (int c4 = c3 + 1; c4 < 16; ++c4) {
                    const unsigned error = joined_total<kError>(table, m3, c4, c1, c2, c3);
                    const std::array<int, 4> set = {c1, c2, c3, c4};
                    for (int member = 0; member < 4; ++member) {
                        Best& mine = best[set[member]];
                        if (error >= mine.error) continue;
                        mine.error = error;
                        for (int other = 0, k = 0; other < 4; ++other)
                            if (other != member) mine.colors[k++] = std::uint8_t(set[other]);
                    }
                }
            }
        }
}

void set_cell(CellColors& choice, int cell, const std::array<std::uint8_t, 3>& colors) {
    choice.cells[cell] = {choice.background, colors[0], colors[1], colors[2]};
}

// Colour indices by how often they occur, most first; ties by index.
std::array<std::uint8_t, 16> by_frequency(const std::array<int, 16>& counts) {
    std::array<std::uint8_t, 16> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint8_t x, std::uint8_t y) { return counts[x] > counts[y]; });
    return order;
}

template <CellError kError>
CellColors search(const std::vector<Lab>& target, const LabPalette& colors,
                  std::optional<std::uint8_t> background) {
    CellColors choice;
    CostTable table;
    if (background) {
        choice.background = *background;
        for (int cell = 0; cell < kCells; ++cell) {
            fill_costs(target, cell, colors, kError, table);
            set_cell(choice, cell, best_three<kError>(table, *background).colors);
        }
        return choice;
    }
    std::vector<std::array<Best, 16>> per_cell(kCells);
    std::array<unsigned long, 16> totals{};
    for (int cell = 0; cell < kCells; ++cell) {
        fill_costs(target, cell, colors, kError, table);
        best_three_for_each_background<kError>(table, per_cell[cell]);
        for (int b = 0; b < 16; ++b) totals[b] += per_cell[cell][b].error;
    }
    choice.background =
        std::uint8_t(std::min_element(totals.begin(), totals.end()) - totals.begin());
    for (int cell = 0; cell < kCells; ++cell)
        set_cell(choice, cell, per_cell[cell][choice.background].colors);
    return choice;
}

} // namespace

CellColors choose_cell_colors(const std::vector<Lab>& target, const LabPalette& colors,
                              std::optional<std::uint8_t> background, CellError error) {
    return error == CellError::Mix ? search<CellError::Mix>(target, colors, background)
                                   : search<CellError::Nearest>(target, colors, background);
}

CellColors choose_cell_colors_by_frequency(const std::vector<Lab>& target,
                                           const LabPalette& colors) {
    std::vector<std::uint8_t> nearest(target.size());
    std::array<int, 16> counts{};
    for (std::size_t i = 0; i < target.size(); ++i)
        ++counts[nearest[i] = std::uint8_t(nearest_color(target[i], colors))];
    CellColors choice;
    choice.background = by_frequency(counts)[0];
    for (int cell = 0; cell < kCells; ++cell) {
        std::array<int, 16> cell_counts{};
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            ++cell_counts[nearest[cell_pixel_offset(cell, pixel)]];
        cell_counts[choice.background] = -1;
        const auto order = by_frequency(cell_counts);
        set_cell(choice, cell, {order[0], order[1], order[2]});
    }
    return choice;
}
