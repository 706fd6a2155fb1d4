#include "c64/multicolor.h"
#include "c64/colour_count.h"
#include "colour/lab.h"
#include "colour/palettes.h"
#include <algorithm>
#include <numeric>

namespace {

using ColorSets = std::array<std::uint16_t, kCells>; // bit i: the cell shows colour i

ColorSets cell_color_sets(ConstPixelGrid picture) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "the multicolour codec");
    ColorSets sets{};
    for (int row = 0; row < kBitmapRows; ++row) {
        std::uint16_t* const cells = &sets[cell_of(0, row)];
        const std::uint8_t* const line = picture.row(row);
        for (int column = 0; column < kMulticolorColumns; ++column)
            cells[column / kCellWidth] |= std::uint16_t(1u << (line[column] & 0x0F));
    }
    return sets;
}

bool exact_with(std::uint16_t set, std::uint8_t background) {
    return colours_besides(set, background) <= 3;
}

std::uint8_t best_background(const ColorSets& sets) {
    std::uint8_t best = 0;
    int best_exact = -1;
    for (std::uint8_t background = 0; background < 16; ++background) {
        const int exact = int(std::count_if(sets.begin(), sets.end(), [&](std::uint16_t set) {
            return exact_with(set, background);
        }));
        if (exact > best_exact) best = background, best_exact = exact;
    }
    return best;
}

CellSet inexact_cells(const ColorSets& sets, std::uint8_t background) {
    CellSet cells;
    for (int cell = 0; cell < kCells; ++cell) cells[cell] = !exact_with(sets[cell], background);
    return cells;
}

// How one cell is encoded: the bit pair each colour is drawn with, and the colours (Vexlor
// indices) of pairs 01, 10 and 11.
struct CellPlan {
    std::array<std::uint8_t, 16> pair_of{};
    std::array<std::uint8_t, 4> pair_colors{};
};

CellPlan plan_cell(const std::array<int, 16>& counts, std::uint8_t background) {
    std::array<std::uint8_t, 16> by_use;
    std::iota(by_use.begin(), by_use.end(), 0);
    std::stable_sort(by_use.begin(), by_use.end(),
                     [&](std::uint8_t x, std::uint8_t y) { return counts[x] > counts[y]; });
    CellPlan plan;
    plan.pair_colors[0] = background;
    std::uint16_t kept = std::uint16_t(1u << background);
    int pairs = 1;
    for (std::uint8_t color : by_use)
        if (counts[color] > 0 && color != background && pairs < 4) {
            plan.pair_of[color] = std::uint8_t(pairs);
            plan.pair_colors[pairs++] = color;
            kept |= std::uint16_t(1u << color);
        }
    const LabPalette& c64 = lab_palette(PaletteId::Pepto);
    for (std::uint8_t color = 0; color < 16; ++color) {
        if (counts[color] == 0 || (kept >> color & 1)) continue;
        std::uint8_t nearest = 0;
        for (std::uint8_t pair = 1; pair < pairs; ++pair)
            if (delta_e_squared(c64[color], c64[plan.pair_colors[pair]]) <
                delta_e_squared(c64[color], c64[plan.pair_colors[nearest]]))
                nearest = pair;
        plan.pair_of[color] = nearest;
    }
    // A pair no pixel uses holds black, as paint programs leave it.
    for (int pair = pairs; pair < 4; ++pair) plan.pair_colors[pair] = 0;
    return plan;
}

} // namespace

std::uint8_t best_background(ConstPixelGrid picture) {
    return best_background(cell_color_sets(picture));
}

CellSet inexact_cells(ConstPixelGrid picture, std::uint8_t background) {
    return inexact_cells(cell_color_sets(picture), background & 0x0F);
}

Clashes find_clashes(ConstPixelGrid picture) {
    const ColorSets sets = cell_color_sets(picture);
    const std::uint8_t background = best_background(sets);
    return {inexact_cells(sets, background), background};
}

Encoding encode_multicolor(ConstPixelGrid picture) {
    return encode_multicolor(picture, best_background(picture));
}

Encoding encode_multicolor(ConstPixelGrid picture, std::uint8_t background) {
    background &= 0x0F;
    const ColorSets sets = cell_color_sets(picture);
    Encoding encoding;
    MulticolorImage& image = encoding.image;
    image.background = c64_color_number(background);
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint8_t* const pixels = picture.pixels + cell_pixel_offset(cell, 0);
        std::array<int, 16> counts{};
        for (int y = 0; y < kCellHeight; ++y)
            for (int x = 0; x < kCellWidth; ++x)
                ++counts[pixels[y * kMulticolorColumns + x] & 0x0F];
        const CellPlan plan = plan_cell(counts, background);
        encoding.inexact_cells += !exact_with(sets[cell], background);
        image.screen[cell] = std::uint8_t(c64_color_number(plan.pair_colors[1]) << 4 |
                                          c64_color_number(plan.pair_colors[2]));
        image.color[cell] = c64_color_number(plan.pair_colors[3]);
        for (int y = 0; y < kCellHeight; ++y) {
            std::uint8_t bits = 0;
            for (int x = 0; x < kCellWidth; ++x)
                bits = std::uint8_t(bits << 2 |
                                    plan.pair_of[pixels[y * kMulticolorColumns + x] & 0x0F]);
            image.bitmap[cell * kCellHeight + y] = bits;
        }
    }
    return encoding;
}

void decode_multicolor(const MulticolorImage& image, PixelGrid picture) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "decode_multicolor");
    for (int cell = 0; cell < kCells; ++cell) {
        const std::array<std::uint8_t, 4> colors = {
            vexlor_color_index(image.background), vexlor_color_index(image.screen[cell] >> 4),
            vexlor_color_index(image.screen[cell]), vexlor_color_index(image.color[cell])};
        std::uint8_t* const pixels = picture.pixels + cell_pixel_offset(cell, 0);
        for (int y = 0; y < kCellHeight; ++y) {
            const std::uint8_t bits = image.bitmap[cell * kCellHeight + y];
            for (int x = 0; x < kCellWidth; ++x)
                pixels[y * kMulticolorColumns + x] = colors[(bits >> (6 - 2 * x)) & 3];
        }
    }
}
