#include "conversion/diffusion.h"
#include "colour/mix.h"
#include "conversion/pair_search.h"
#include <algorithm>
#include <limits>
#include <span>

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

// Error diffusion from left to right, line by line, each pixel taking `nearest(wanted, column,
// row)`. Before the first pixel of each cell row, `choose(row, column, carried)` may change
// what that gives, `carried` being the error the row's pixels have been given so far. Pixels
// left of `first_diffused` pass no error on.
template <class Chooser, class NearestOf>
StoredPicture diffuse_by(const PictureTarget& target, const LabPalette& colors, int first_diffused,
                         Chooser&& choose, NearestOf&& nearest) {
    StoredPicture picture{};
    const int columns = target.columns, cell_width = target.cell_width();
    // One spare entry each side, so that the edges need no test.
    std::vector<Lab> here(std::size_t(columns + 2)), below(std::size_t(columns + 2));
    for (int row = 0; row < kPictureRows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column % cell_width == 0) choose(row, column, &here[std::size_t(column + 1)]);
            const int i = row * columns + column;
            const Lab wanted = target.pixels[std::size_t(i)] + here[std::size_t(column + 1)];
            const std::uint8_t chosen = nearest(wanted, column, row);
            picture[std::size_t(i)] = chosen;
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

// The same onto the colours each cell row may show.
template <class Chooser>
StoredPicture diffuse(const PictureTarget& target, const LabPalette& colors, const RowColors& rows,
                      int first_diffused, Chooser&& choose) {
    return diffuse_by(
        target, colors, first_diffused, choose, [&](const Lab& wanted, int column, int row) {
            return nearest_in_lab(wanted, rows.rows[std::size_t(target.cell_row_at(column, row))],
                                  colors)
                .color;
        });
}

// A cell row's pixels diffused in turn onto `set`: the total of their differences, or
// something over `enough` once that is passed.
float row_error(std::span<const Lab> wanted, const std::array<std::uint8_t, 4>& set,
                const LabPalette& colors, float enough) {
    float total = 0;
    Lab passed;
    for (std::size_t x = 0; x < wanted.size() && total < enough; ++x) {
        const Lab pixel = wanted[x] + passed;
        const Nearest chosen = nearest_in_lab(pixel, set, colors);
        total += std::sqrt(chosen.difference);
        passed = kRightShare * capped(pixel - colors[chosen.color]);
    }
    return total;
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
            float error = row_error(wanted, trial, colors_, least);
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

// Chooses a hires mode's pairs as the diffusion reaches each colour area's first pixel: of
// all pairs, the one that leaves the least total difference, the area's first row diffused in
// turn with the error carried in, and its later rows, which have been given no error yet, by
// how well the pair's mixes make them up. The hidden columns keep the pairs they were given.
class PairChooser {
public:
    PairChooser(const PictureTarget& target, const LabPalette& colors, RowColors& rows,
                const Mode& mode)
        : target_(target), colors_(colors), rows_(rows), mode_(mode) {}

    void operator()(int row, int column, const Lab* carried) {
        const PixelArea area = mode_.colour_area_at({column, row});
        if (column < hidden_columns(mode_) || area.top != row) return;
        const int first = row * target_.columns + column;
        std::array<Lab, kHiresCellWidth> wanted;
        for (int x = 0; x < area.width; ++x)
            wanted[std::size_t(x)] = target_.pixels[std::size_t(first + x)] + carried[x];
        float least = std::numeric_limits<float>::max();
        std::array<std::uint8_t, 4> best =
            rows_.rows[std::size_t(target_.cell_row_at(column, row))];
        for (int a = 0; a < 16; ++a)
            for (int b = a + 1; b < 16; ++b) {
                const float later = mix_error(area, a, b, least);
                if (later >= least) continue;
                const std::array<std::uint8_t, 4> set = pair_set(std::uint8_t(a), std::uint8_t(b));
                const float error = later + row_error({wanted.data(), std::size_t(area.width)}, set,
                                                      colors_, least - later);
                if (error < least) least = error, best = set;
            }
        for (int y = area.top; y <= area.bottom(); ++y)
            rows_.rows[std::size_t(target_.cell_row_at(column, y))] = best;
    }

private:
    // How far the mixes of `a` and `b` fall from the area's pixels below its first row, or
    // something over `enough` once that is passed.
    float mix_error(const PixelArea& area, int a, int b, float enough) const {
        float total = 0;
        for (int y = area.top + 1; y <= area.bottom() && total < enough; ++y)
            for (int x = area.left; x <= area.right(); ++x)
                total += std::sqrt(fit_mix(target_.pixels[std::size_t(y * target_.columns + x)],
                                           colors_[std::size_t(a)], colors_[std::size_t(b)])
                                       .error_squared);
        return total;
    }

    const PictureTarget& target_;
    const LabPalette& colors_;
    RowColors& rows_;
    const Mode& mode_;
};

} // namespace

int hidden_columns(const Mode& mode) { return mode.hidden_cell_columns * mode.shape.cell.width; }

std::uint8_t nearest_in_set(const LabC& color, const std::array<std::uint8_t, 4>& set,
                            const LabCPalette& palette) {
    return nearest_of(set, [&](std::uint8_t c) { return color_difference(color, palette[c]); })
        .color;
}

StoredPicture diffuse_onto_rows(const PictureTarget& target, const LabPalette& colors,
                                const RowColors& rows) {
    return diffuse(target, colors, rows, 0, [](int, int, const Lab*) {});
}

StoredPicture diffuse_freely(const PictureTarget& target, const LabPalette& colors) {
    return diffuse_by(
        target, colors, 0, [](int, int, const Lab*) {},
        [&](const Lab& wanted, int, int) {
            std::uint8_t nearest = 0;
            for (std::uint8_t c = 1; c < 16; ++c)
                if (delta_e_squared(wanted, colors[c]) < delta_e_squared(wanted, colors[nearest]))
                    nearest = c;
            return nearest;
        });
}

StoredPicture diffuse_fli(const PictureTarget& target, const LabPalette& colors, RowColors rows) {
    FliRowChooser choose(target, colors, rows);
    return diffuse(target, colors, rows, kFliBugColumns, choose);
}

StoredPicture diffuse_pairs(const PictureTarget& target, const LabPalette& colors, RowColors rows,
                            const Mode& mode) {
    PairChooser choose(target, colors, rows, mode);
    return diffuse(target, colors, rows, hidden_columns(mode), choose);
}
