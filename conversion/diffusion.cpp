#include "conversion/diffusion.h"
#include <algorithm>
#include <limits>

namespace {

Lab operator-(const Lab& x, const Lab& y) { return {x.L - y.L, x.a - y.a, x.b - y.b}; }
Lab operator+(const Lab& x, const Lab& y) { return {x.L + y.L, x.a + y.a, x.b + y.b}; }
Lab operator*(float k, const Lab& x) { return {k * x.L, k * x.a, k * x.b}; }

// The error a pixel passes on is capped, so that a colour a cell cannot show does not push
// its neighbours far off.
constexpr float kMaxCarried = 30.0f;

Lab capped(const Lab& error) {
    return {std::clamp(error.L, -kMaxCarried, kMaxCarried),
            std::clamp(error.a, -kMaxCarried, kMaxCarried),
            std::clamp(error.b, -kMaxCarried, kMaxCarried)};
}

struct Nearest {
    std::uint8_t color;
    float difference;
};

// The colour of `set` nearest by `difference`, the first of equals.
template <class Difference>
Nearest nearest_of(const std::array<std::uint8_t, 4>& set, Difference&& difference) {
    Nearest nearest{set[0], difference(set[0])};
    for (int k = 1; k < 4; ++k) {
        const std::uint8_t color = set[std::size_t(k)];
        if (const float d = difference(color); d < nearest.difference) nearest = {color, d};
    }
    return nearest;
}

// Error diffusion carries CIELAB error vectors, so it chooses by distance in CIELAB (CIE76): the
// error it passes on is then the one it made least. Choosing by CIEDE2000 instead leaves errors
// that the next pixels cannot take back, and the dither reads worse from a distance. The
// difference is squared.
Nearest nearest_in_lab(const Lab& color, const std::array<std::uint8_t, 4>& set,
                       const LabPalette& colors) {
    return nearest_of(set, [&](std::uint8_t c) { return delta_e_squared(color, colors[c]); });
}

// The share of a pixel's error that goes to the next pixel of its line.
constexpr float kRightShare = 7.0f / 16;

// Error diffusion from left to right, line by line. Before the first pixel of each 4 x 1 row,
// `choose(row, column, carried)` may set that row's colours, `carried` being the error the
// row's four pixels have been given so far. Pixels left of `first_diffused` pass no error on.
template <class Chooser>
PictureBytes diffuse(const PictureTarget& target, const LabPalette& colors, const RowColors& rows,
                     int first_diffused, Chooser&& choose) {
    PictureBytes picture;
    // One spare entry each side, so that the edges need no test.
    std::vector<Lab> here(kPictureColumns + 2), below(kPictureColumns + 2);
    for (int row = 0; row < kPictureRows; ++row) {
        for (int column = 0; column < kPictureColumns; ++column) {
            if (column % kCellWidth == 0) choose(row, column, &here[std::size_t(column + 1)]);
            const int i = row * kPictureColumns + column;
            const Lab wanted = target.pixels[std::size_t(i)] + here[std::size_t(column + 1)];
            const std::uint8_t chosen =
                nearest_in_lab(wanted, rows.rows[std::size_t(cell_row_of(column, row))], colors)
                    .color;
            picture[i] = chosen;
            if (column < first_diffused) continue;
            const Lab error = capped(wanted - colors[chosen]);
            Lab* next = &here[std::size_t(column + 2)];
            Lab* under = &below[std::size_t(column)];
            *next = *next + kRightShare * error;
            under[0] = under[0] + (3.0f / 16) * error;
            under[1] = under[1] + (5.0f / 16) * error;
            under[2] = under[2] + (1.0f / 16) * error;
        }
        here.swap(below);
        std::fill(below.begin(), below.end(), Lab{});
    }
    return picture;
}

using ColorDifferences = std::array<float, 16>;

// How far each of the 16 colours lies from `wanted` in CIELAB.
ColorDifferences differences_from(const Lab& wanted, const LabPalette& colors) {
    ColorDifferences d;
    for (int c = 0; c < 16; ++c)
        d[std::size_t(c)] = std::sqrt(delta_e_squared(wanted, colors[std::size_t(c)]));
    return d;
}

float least_of(const ColorDifferences& d, const std::array<std::uint8_t, 4>& set) {
    return std::min(std::min(d[set[0]], d[set[1]]), std::min(d[set[2]], d[set[3]]));
}

// Chooses FLI rows' screen colours as the diffusion reaches them.
class FliRowChooser {
public:
    FliRowChooser(const PictureTarget& target, const LabPalette& colors, RowColors& rows)
        : target_(target), colors_(colors), rows_(rows) {}

    void operator()(int row, int column, const Lab* carried) {
        if (column < kFliBugColumns || row > kLastScreenRow) return;
        const std::array<std::uint8_t, 4> searched =
            rows_.rows[std::size_t(cell_row_of(column, row))];
        const int first = row * kPictureColumns + column;
        std::array<Lab, kCellWidth> wanted;
        for (int x = 0; x < kCellWidth; ++x)
            wanted[std::size_t(x)] = target_.pixels[std::size_t(first + x)] + carried[x];
        const bool last = row == kLastScreenRow;
        if (last) fill_later_rows(column);
        float least = std::numeric_limits<float>::max();
        std::array<std::uint8_t, 4> best = searched;
        const auto consider = [&](std::uint8_t a, std::uint8_t b) {
            const std::array<std::uint8_t, 4> trial = {searched[0], a, b, searched[3]};
            float error = row_error(wanted, trial, least);
            if (last)
                for (const ColorDifferences& d : later_) error += least_of(d, trial);
            if (error < least) least = error, best = trial;
        };
        consider(searched[1], searched[2]);
        const Candidates candidates = candidates_for(wanted, searched);
        for (int i = 0; i < candidates.count; ++i)
            for (int j = i + 1; j < candidates.count; ++j)
                consider(candidates.colors[std::size_t(i)], candidates.colors[std::size_t(j)]);
        for (int y = row; y < (last ? kPictureRows : row + 1); ++y)
            rows_.rows[std::size_t(cell_row_of(column, y))] = best;
    }

private:
    struct Candidates {
        std::array<std::uint8_t, 2 * kCellWidth> colors{};
        int count = 0;
    };

    // The two colours nearest each pixel, leaving out the background and the colour-RAM
    // colour, which the row shows anyway. Only the first pixel's carried error is final: the
    // others lack what the row passes on.
    Candidates candidates_for(const std::array<Lab, kCellWidth>& wanted,
                              const std::array<std::uint8_t, 4>& set) const {
        std::array<bool, 16> taken{};
        taken[set[0]] = taken[set[3]] = true;
        Candidates candidates;
        for (const Lab& pixel : wanted) {
            const ColorDifferences d = differences_from(pixel, colors_);
            std::array<std::uint8_t, 16> order;
            for (int c = 0; c < 16; ++c) order[std::size_t(c)] = std::uint8_t(c);
            std::partial_sort(order.begin(), order.begin() + 4, order.end(),
                              [&](std::uint8_t p, std::uint8_t q) { return d[p] < d[q]; });
            int added = 0;
            for (int k = 0; k < 4 && added < 2; ++k) {
                const std::uint8_t c = order[std::size_t(k)];
                if (set[0] == c || set[3] == c) continue;
                ++added;
                if (!taken[c])
                    taken[c] = true, candidates.colors[std::size_t(candidates.count++)] = c;
            }
        }
        return candidates;
    }

    // The row's four pixels diffused in turn onto `set`: the total of their differences, or
    // something over `enough` once that is passed.
    float row_error(const std::array<Lab, kCellWidth>& wanted,
                    const std::array<std::uint8_t, 4>& set, float enough) const {
        float total = 0;
        Lab passed;
        for (int x = 0; x < kCellWidth && total < enough; ++x) {
            const Lab pixel = wanted[std::size_t(x)] + passed;
            const Nearest chosen = nearest_in_lab(pixel, set, colors_);
            total += std::sqrt(chosen.difference);
            passed = kRightShare * capped(pixel - colors_[chosen.color]);
        }
        return total;
    }

    // The differences of the pixels of rows 197 to 199 below `column`, from every colour.
    void fill_later_rows(int column) {
        for (int y = kLastScreenRow + 1; y < kPictureRows; ++y)
            for (int x = 0; x < kCellWidth; ++x)
                later_[std::size_t((y - kLastScreenRow - 1) * kCellWidth + x)] = differences_from(
                    target_.pixels[std::size_t(y * kPictureColumns + column + x)], colors_);
    }

    const PictureTarget& target_;
    const LabPalette& colors_;
    RowColors& rows_;
    std::array<ColorDifferences, (kPictureRows - kLastScreenRow - 1) * kCellWidth> later_{};
};

} // namespace

std::uint8_t nearest_in_set(const LabC& color, const std::array<std::uint8_t, 4>& set,
                            const LabCPalette& palette) {
    return nearest_of(set, [&](std::uint8_t c) { return color_difference(color, palette[c]); })
        .color;
}

PictureBytes diffuse_onto_rows(const PictureTarget& target, const LabPalette& colors,
                               const RowColors& rows) {
    return diffuse(target, colors, rows, 0, [](int, int, const Lab*) {});
}

PictureBytes diffuse_fli(const PictureTarget& target, const LabPalette& colors, RowColors rows) {
    FliRowChooser choose(target, colors, rows);
    return diffuse(target, colors, rows, kFliBugColumns, choose);
}
