#include "c64/fli.h"
#include "colour/lab.h"
#include "colour/palettes.h"
#include <algorithm>
#include <utility>

namespace {

using Counts = CellRowCounts::value_type;

// A cell's plan: its colour-RAM colour and, for each pixel row, its two screen colours and how
// many of its pixels they leave changed (Vexlor indices).
struct FliCellPlan {
    std::uint8_t shared = 0;
    std::array<std::array<std::uint8_t, 2>, kCellHeight> screen{};
    std::array<int, kCellHeight> changed{};
};

// The two most used colours of a row besides the background and the shared colour (lowest
// index first on a tie; black where the row needs none), and the pixels left over.
struct RowPick {
    std::array<std::uint8_t, 2> colors{};
    int changed = 0;
};

RowPick pick_row(const Counts& counts, std::uint8_t background, std::uint8_t shared) {
    RowPick pick;
    int first = 0, second = 0, others = 0;
    for (std::uint8_t c = 0; c < 16; ++c) {
        if (c == background || c == shared) continue;
        const int n = counts[c];
        others += n;
        if (n > first) {
            second = first, pick.colors[1] = pick.colors[0];
            first = n, pick.colors[0] = c;
        } else if (n > second) {
            second = n, pick.colors[1] = c;
        }
    }
    if (second == 0) pick.colors[1] = 0;
    if (first == 0) pick.colors[0] = 0;
    pick.changed = others - first - second;
    return pick;
}

// Which of the cell's rows shows which row's screen colours.
std::array<int, kCellHeight> screen_rows(int cell) {
    const int top = cell / kCellColumns * kCellHeight;
    std::array<int, kCellHeight> rows;
    for (int y = 0; y < kCellHeight; ++y) rows[y] = screen_row_of(top + y) - top;
    return rows;
}

int changed_in(const Counts& counts, const std::array<std::uint8_t, 4>& kept) {
    int changed = 0;
    for (std::uint8_t c = 0; c < 16; ++c)
        if (c != kept[0] && c != kept[1] && c != kept[2] && c != kept[3]) changed += counts[c];
    return changed;
}

// Every colour-RAM colour is tried; the fewest changed pixels win, the lowest index on a tie.
// Colours the cell does not show all do alike, so only the first of them is tried.
FliCellPlan plan_cell(const CellRowCounts& rows, std::uint8_t background,
                      const std::array<int, kCellHeight>& screen_row) {
    std::array<Counts, kCellHeight> screens{}; // the pixels each screen row's colours show
    Counts cell{};
    for (int y = 0; y < kCellHeight; ++y)
        for (int c = 0; c < 16; ++c) {
            screens[screen_row[y]][c] += rows[y][c];
            cell[c] += rows[y][c];
        }
    FliCellPlan best;
    int least = kCellPixels + 1;
    bool absent_tried = false;
    for (std::uint8_t shared = 0; shared < 16; ++shared) {
        if (cell[shared] == 0 && std::exchange(absent_tried, true)) continue;
        std::array<RowPick, kCellHeight> picks;
        int changed = 0;
        for (int y = 0; y < kCellHeight; ++y) {
            if (screen_row[y] != y) continue;
            picks[y] = pick_row(screens[y], background, shared);
            changed += picks[y].changed;
        }
        if (changed >= least) continue;
        least = changed;
        best.shared = shared;
        for (int y = 0; y < kCellHeight; ++y) best.screen[y] = picks[screen_row[y]].colors;
    }
    for (int y = 0; y < kCellHeight; ++y)
        best.changed[y] =
            changed_in(rows[y], {background, best.screen[y][0], best.screen[y][1], best.shared});
    return best;
}

// The bit pair of each colour in a row whose pairs show `colors`: its own pair, or that of
// the colour nearest to it on a C64.
std::array<std::uint8_t, 16> pairs_for(const std::array<std::uint8_t, 4>& colors) {
    const LabPalette& c64 = lab_palette(PaletteId::Pepto);
    std::array<std::uint8_t, 16> pair_of{};
    for (std::uint8_t color = 0; color < 16; ++color) {
        std::uint8_t nearest = 0;
        for (std::uint8_t pair = 1; pair < 4; ++pair)
            if (delta_e_squared(c64[color], c64[colors[pair]]) <
                delta_e_squared(c64[color], c64[colors[nearest]]))
                nearest = pair;
        pair_of[color] = nearest;
    }
    return pair_of;
}

} // namespace

CellRowCounts cell_row_counts(ConstPixelGrid picture, int cell) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "cell_row_counts");
    CellRowCounts rows{};
    const std::uint8_t* const pixels = picture.pixels + cell_pixel_offset(cell, 0);
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x) ++rows[y][pixels[y * kMulticolorColumns + x] & 0x0F];
    return rows;
}

bool fli_shows_cell(const CellRowCounts& rows, std::uint8_t background, int cell) {
    const FliCellPlan plan = plan_cell(rows, background & 0x0F, screen_rows(cell));
    return std::all_of(plan.changed.begin(), plan.changed.end(), [](int n) { return n == 0; });
}

FliEncoding encode_fli(ConstPixelGrid picture, std::uint8_t background) {
    background &= 0x0F;
    FliEncoding encoding;
    FliImage& image = encoding.image;
    image.backgrounds.fill(c64_color_number(background));
    for (int cell = 0; cell < kCells; ++cell) {
        const FliCellPlan plan =
            plan_cell(cell_row_counts(picture, cell), background, screen_rows(cell));
        image.color[cell] = c64_color_number(plan.shared);
        const std::uint8_t* const pixels = picture.pixels + cell_pixel_offset(cell, 0);
        for (int y = 0; y < kCellHeight; ++y) {
            const auto [high, low] = plan.screen[y];
            image.screens[y][cell] =
                std::uint8_t(c64_color_number(high) << 4 | c64_color_number(low));
            encoding.inexact[std::size_t(first_cell_row(cell) + y * kCellColumns)] =
                plan.changed[y] > 0;
            const std::array<std::uint8_t, 4> colors = {background, high, low, plan.shared};
            std::array<std::uint8_t, 16> pair_of{};
            if (plan.changed[y] > 0) pair_of = pairs_for(colors);
            // A kept colour takes its own pair; of two pairs that hold it, the lower.
            for (int pair = 3; pair >= 0; --pair) pair_of[colors[pair]] = std::uint8_t(pair);
            std::uint8_t bits = 0;
            for (int x = 0; x < kCellWidth; ++x)
                bits = std::uint8_t(bits << 2 | pair_of[pixels[y * kMulticolorColumns + x] & 0x0F]);
            image.bitmap[cell * kCellHeight + y] = bits;
        }
    }
    return encoding;
}

CellRowSet fli_clash_rows(ConstPixelGrid picture, std::uint8_t background) {
    CellRowSet rows;
    for (int cell = 0; cell < kCells; ++cell) {
        const FliCellPlan plan =
            plan_cell(cell_row_counts(picture, cell), background & 0x0F, screen_rows(cell));
        const bool bug_column = cell % kCellColumns < kFliBugCellColumns;
        for (int y = 0; y < kCellHeight; ++y)
            rows[std::size_t(first_cell_row(cell) + y * kCellColumns)] =
                bug_column || plan.changed[y] > 0;
    }
    return rows;
}

CellRowSet rows_of_cells(const CellSet& cells) {
    CellRowSet rows;
    for (int cell = 0; cell < kCells; ++cell)
        if (cells[std::size_t(cell)])
            for (int y = 0; y < kCellHeight; ++y)
                rows.set(std::size_t(first_cell_row(cell) + y * kCellColumns));
    return rows;
}

void decode_fli(const FliImage& image, PixelGrid picture) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "decode_fli");
    for (int cell = 0; cell < kCells; ++cell) {
        std::uint8_t* const pixels = picture.pixels + cell_pixel_offset(cell, 0);
        const std::array<int, kCellHeight> screen_of = screen_rows(cell);
        for (int y = 0; y < kCellHeight; ++y) {
            // The last rows show row 196's screen, whatever the later screens hold.
            const std::uint8_t screen = image.screens[std::size_t(screen_of[y])][cell];
            const int line = cell / kCellColumns * kCellHeight + y;
            const std::array<std::uint8_t, 4> colors = {
                vexlor_color_index(image.backgrounds[line]), vexlor_color_index(screen >> 4),
                vexlor_color_index(screen), vexlor_color_index(image.color[cell])};
            const std::uint8_t bits = image.bitmap[cell * kCellHeight + y];
            for (int x = 0; x < kCellWidth; ++x)
                pixels[y * kMulticolorColumns + x] = colors[(bits >> (6 - 2 * x)) & 3];
        }
    }
}
