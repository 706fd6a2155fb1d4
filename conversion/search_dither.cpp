#include "conversion/search_dither.h"
#include "colour/color_difference.h"
#include "conversion/diffusion.h"
#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>
#include <thread>

namespace {

constexpr std::uint8_t kNoColour = 0xFF;
constexpr int kMaxPasses = 16;
// A pass that changes fewer pixels than this share of those searched ends the search.
constexpr double kSettledShare = 0.002;
// Kernel weights below this share of the centre's are left out.
constexpr float kNegligible = 1e-3f;

Linear operator-(const Linear& x, const Linear& y) { return {x.r - y.r, x.g - y.g, x.b - y.b}; }
Linear operator+(const Linear& x, const Linear& y) { return {x.r + y.r, x.g + y.g, x.b + y.b}; }
Linear& operator+=(Linear& x, const Linear& y) {
    x.r += y.r, x.g += y.g, x.b += y.b;
    return x;
}
Linear operator*(float k, const Linear& x) { return {k * x.r, k * x.g, k * x.b}; }

// How much a difference in linear light counts at one place: a symmetric 3 x 3 form.
struct Weight {
    float rr = 1, gg = 1, bb = 1, rg = 0, rb = 0, gb = 0;
};

float dot(const Linear& x, const Linear& y) { return x.r * y.r + x.g * y.g + x.b * y.b; }

// A form's square root (Cholesky's: lower triangular), which turns a difference in linear
// light into one whose plain length is the form's. Errors carried in these terms add up to
// one error for the whole picture, so that every kept change lowers it.
struct Scale {
    float rr = 1, gr = 0, gg = 1, br = 0, bg = 0, bb = 1;
    explicit Scale(const Weight& w) {
        constexpr float least = 1e-6f;
        rr = std::sqrt(std::max(w.rr, least));
        gr = w.rg / rr;
        gg = std::sqrt(std::max(w.gg - gr * gr, least));
        br = w.rb / rr;
        bg = (w.gb - br * gr) / gg;
        bb = std::sqrt(std::max(w.bb - br * br - bg * bg, least));
    }
    Scale() = default;
    Linear operator()(const Linear& x) const {
        return {rr * x.r + gr * x.g + br * x.b, gg * x.g + bg * x.b, bb * x.b};
    }
};

Lab lab_of(const Linear& x) {
    return lab_from_linear(std::max(x.r, 0.0f), std::max(x.g, 0.0f), std::max(x.b, 0.0f));
}

// CIEDE2000 near a colour as a quadratic form on small steps in CIELAB, found from the
// differences of a few nearby colours.
std::array<std::array<float, 3>, 3> local_form(const Lab& at) {
    constexpr float step = 0.5f;
    const auto squared = [&](float dl, float da, float db) {
        const float d = color_difference(at, {at.L + dl, at.a + da, at.b + db});
        return d * d / (step * step);
    };
    const std::array<float, 3> single = {squared(step, 0, 0), squared(0, step, 0),
                                         squared(0, 0, step)};
    const float la = squared(step, step, 0), lb = squared(step, 0, step),
                ab = squared(0, step, step);
    const float mla = (la - single[0] - single[1]) / 2, mlb = (lb - single[0] - single[2]) / 2,
                mab = (ab - single[1] - single[2]) / 2;
    return {{{single[0], mla, mlb}, {mla, single[1], mab}, {mlb, mab, single[2]}}};
}

// How CIEDE2000 weighs a small difference in linear light near `at`: its form in CIELAB
// carried over by the slope of CIELAB against linear light there.
Weight weight_at(const Linear& at) {
    constexpr float step = 1e-3f;
    const Linear base{std::max(at.r, 0.0f), std::max(at.g, 0.0f), std::max(at.b, 0.0f)};
    const Lab centre = lab_of(base);
    const auto slope = [&](const Linear& moved) {
        const Lab lab = lab_of(moved);
        return std::array<float, 3>{(lab.L - centre.L) / step, (lab.a - centre.a) / step,
                                    (lab.b - centre.b) / step};
    };
    const std::array<std::array<float, 3>, 3> j = {slope({base.r + step, base.g, base.b}),
                                                   slope({base.r, base.g + step, base.b}),
                                                   slope({base.r, base.g, base.b + step})};
    const std::array<std::array<float, 3>, 3> m = local_form(centre);
    const auto form = [&](int p, int q) {
        float sum = 0;
        for (int k = 0; k < 3; ++k)
            for (int l = 0; l < 3; ++l)
                sum += j[std::size_t(p)][std::size_t(k)] * m[std::size_t(k)][std::size_t(l)] *
                       j[std::size_t(q)][std::size_t(l)];
        return sum;
    };
    return {form(0, 0), form(1, 1), form(2, 2), form(0, 1), form(0, 2), form(1, 2)};
}

// A symmetric kernel from its centre outwards.
using HalfKernel = std::vector<float>;

// The Gaussian on screen pixels, spread over a picture pixel `aspect` screen pixels wide.
std::vector<float> pixel_footprint(float sigma, int aspect) {
    const std::vector<float> g = gaussian_kernel(sigma);
    std::vector<float> spread(g.size() + std::size_t(aspect - 1));
    for (std::size_t i = 0; i < g.size(); ++i)
        for (int k = 0; k < aspect; ++k) spread[i + std::size_t(k)] += g[i] / float(aspect);
    return spread;
}

// How much two picture pixels `d` apart overlap once blurred: the footprint's correlation with
// itself moved by `d` picture pixels.
HalfKernel correlation(const std::vector<float>& footprint, int aspect) {
    HalfKernel half;
    for (int d = 0;; ++d) {
        float sum = 0;
        for (std::size_t i = 0; i + std::size_t(d * aspect) < footprint.size(); ++i)
            sum += footprint[i] * footprint[i + std::size_t(d * aspect)];
        if (d > 0 && sum < kNegligible * half[0]) return half;
        half.push_back(sum);
    }
}

// The footprint at the picture's pixel spacing, for blurring the target.
HalfKernel sampled(const std::vector<float>& footprint, int aspect) {
    const int centre = int(footprint.size() / 2);
    HalfKernel half;
    float sum = 0;
    for (int d = 0; centre + d * aspect < int(footprint.size()); ++d) {
        half.push_back(footprint[std::size_t(centre + d * aspect)]);
        sum += half.back() * (d ? 2 : 1);
    }
    for (float& k : half) k /= sum;
    return half;
}

// A separable convolution of a columns x kPictureRows field; nothing lies beyond the edges.
std::vector<Linear> convolved(const std::vector<Linear>& in, int columns, const HalfKernel& across,
                              const HalfKernel& down) {
    const auto pass = [&](const std::vector<Linear>& from, const HalfKernel& k, int step,
                          int length, auto position) {
        std::vector<Linear> to(from.size());
        for (int i = 0; i < int(from.size()); ++i) {
            const int at = position(i);
            Linear sum = k[0] * from[std::size_t(i)];
            for (int d = 1; d < int(k.size()); ++d) {
                if (at - d >= 0) sum += k[std::size_t(d)] * from[std::size_t(i - d * step)];
                if (at + d < length) sum += k[std::size_t(d)] * from[std::size_t(i + d * step)];
            }
            to[std::size_t(i)] = sum;
        }
        return to;
    };
    const auto column = [columns](int i) { return i % columns; };
    const auto row = [columns](int i) { return i / columns; };
    return pass(pass(in, across, 1, columns, column), down, columns, kPictureRows, row);
}

// The colours a pixel may take: the background, the cell's shared colour, the area's own.
struct Choice {
    std::array<std::uint8_t, 5> colours{};
    int count = 0;
    void add(std::uint8_t c) {
        if (c != kNoColour && !has(c)) colours[std::size_t(count++)] = c;
    }
    bool has(std::uint8_t c) const {
        return std::find(colours.begin(), colours.begin() + count, c) != colours.begin() + count;
    }
};

// `work(0)` and `work(1)` at once, on two threads.
template <class Work> void on_both_cores(Work&& work) {
    std::thread other(work, 1);
    work(0);
    other.join();
}

class DitherSearch {
public:
    DitherSearch(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                 std::uint8_t background, const StoredPicture& start)
        : target_(target), mode_(mode), background_(background), picture_(start) {
        for (int c = 0; c < 16; ++c)
            palette_[std::size_t(c)] = linear_from_lab(colors[std::size_t(c)]);
        wanted_.resize(target.pixels.size());
        for (std::size_t i = 0; i < wanted_.size(); ++i)
            wanted_[i] = linear_from_lab(target.pixels[i]);
    }

    void set_blur(float sigma) {
        const int aspect = kWidestColumns / target_.columns;
        const std::vector<float> across = pixel_footprint(sigma, aspect);
        const std::vector<float> down = pixel_footprint(sigma, 1);
        across_ = correlation(across, aspect);
        down_ = correlation(down, 1);
        centre_ = across_[0] * down_[0];
        blur_across_ = sampled(across, aspect);
        blur_down_ = sampled(down, 1);
        wanted_blurred_ = convolved(wanted_, target_.columns, blur_across_, blur_down_);
    }

    bool read_areas();
    int pass();
    const StoredPicture& picture() const { return picture_; }
    int searched_pixels() const { return searched_pixels_; }

private:
    struct Area {
        PixelArea pixels;
        int cell;
        std::array<std::uint8_t, 3> own{kNoColour, kNoColour, kNoColour};
    };
    struct Cell {
        PixelArea pixels;
        std::uint8_t shared = kNoColour; // FLI's colour-RAM colour
        std::vector<int> areas;
        bool searched = false;
    };

    Choice choice_at(int i) const {
        Choice choice;
        const Area& area = areas_[std::size_t(area_of_[std::size_t(i)])];
        if (mode_.shared.background) choice.add(background_);
        if (mode_.shared.cell_colour) choice.add(cells_[std::size_t(area.cell)].shared);
        for (std::uint8_t c : area.own) choice.add(c);
        return choice;
    }

    // How much the error changes when pixel i takes colour `to`.
    float cost(int i, std::uint8_t to) const {
        const Linear step = palette_[to] - palette_[picture_[std::size_t(i)]];
        const Linear seen = scales_[std::size_t(i)](step);
        return 2 * dot(seen, error_[std::size_t(i)]) + centre_ * dot(seen, seen);
    }

    // The pixels painted, and their colours before.
    using Log = std::vector<std::pair<int, std::uint8_t>>;

    void paint(int i, std::uint8_t to, Log* log = nullptr) {
        const Linear step =
            scales_[std::size_t(i)](palette_[to] - palette_[picture_[std::size_t(i)]]);
        if (log) log->push_back({i, picture_[std::size_t(i)]});
        picture_[std::size_t(i)] = to;
        const int columns = target_.columns, x = i % columns, y = i / columns;
        const int rx = int(across_.size()) - 1, ry = int(down_.size()) - 1;
        for (int dy = std::max(-ry, -y); dy <= std::min(ry, kPictureRows - 1 - y); ++dy) {
            const float ky = down_[std::size_t(std::abs(dy))];
            Linear* row = &error_[std::size_t((y + dy) * columns)];
            for (int dx = std::max(-rx, -x); dx <= std::min(rx, columns - 1 - x); ++dx)
                row[x + dx] += (ky * across_[std::size_t(std::abs(dx))]) * step;
        }
    }

    // The best colour of its choice for pixel i, taken if it lowers the error; the change.
    float improve_pixel(int i, Log* log = nullptr) {
        const Choice choice = choice_at(i);
        float best = 0;
        std::uint8_t to = picture_[std::size_t(i)];
        for (int k = 0; k < choice.count; ++k)
            if (const float c = cost(i, choice.colours[std::size_t(k)]); c < best)
                best = c, to = choice.colours[std::size_t(k)];
        if (to != picture_[std::size_t(i)]) paint(i, to, log);
        return best;
    }

    void improve_slot(std::uint8_t& slot, const PixelArea& region);
    void improve_cell(Cell& cell);
    void improve_cells();
    float replace(std::uint8_t& slot, std::uint8_t colour, const PixelArea& region);
    void reset_error();

    const PictureTarget& target_;
    const Mode& mode_;
    const std::uint8_t background_;
    StoredPicture picture_;
    std::array<Linear, 16> palette_{};
    std::vector<Linear> wanted_;
    // For each pixel, the weighed difference from the target blurred, and blurred again as the
    // pixel's own footprint sees it: what a change of the pixel meets of the error there.
    std::vector<Linear> error_;
    std::vector<Scale> scales_;
    // How far apart pixels still meet once blurred (the blur correlated with itself), and the
    // blur itself at the picture's pixel spacing.
    HalfKernel across_, down_, blur_across_, blur_down_;
    std::vector<Linear> wanted_blurred_;
    float centre_ = 0; // a pixel's meeting with itself
    std::vector<Cell> cells_;
    std::vector<Area> areas_;
    std::vector<int> area_of_;
    int searched_pixels_ = 0;
};

template <class Visit> void for_each_pixel(const PixelArea& area, int columns, Visit&& visit) {
    for (int y = area.top; y <= area.bottom(); ++y)
        for (int x = area.left; x <= area.right(); ++x) visit(y * columns + x);
}

// The cells and their areas, with the colours the start shows in them. In FLI the cell's
// shared colour is the one, of those it shows most, that leaves every row within its limit.
bool DitherSearch::read_areas() {
    const int columns = target_.columns;
    area_of_.assign(target_.pixels.size(), -1);
    for (int top = 0; top < kPictureRows; top += mode_.shape.cell.height)
        for (int left = 0; left < columns; left += mode_.shape.cell.width) {
            Cell cell{mode_.cell_at({left, top}), kNoColour, {}, false};
            std::array<int, 16> counts{};
            for_each_pixel(cell.pixels, columns,
                           [&](int i) { ++counts[picture_[std::size_t(i)]]; });
            if (mode_.shared.background) counts[background_] = 0;
            std::vector<std::uint8_t> candidates = {kNoColour};
            if (mode_.shared.cell_colour) {
                for (int c = 0; c < 16; ++c)
                    if (counts[std::size_t(c)]) candidates.push_back(std::uint8_t(c));
                std::stable_sort(
                    candidates.begin() + 1, candidates.end(),
                    [&](std::uint8_t p, std::uint8_t q) { return counts[p] > counts[q]; });
            }
            const int first_area = int(areas_.size());
            for (std::uint8_t shared : candidates) {
                areas_.resize(std::size_t(first_area));
                cell.areas.clear();
                cell.shared = shared;
                cell.searched = left >= hidden_columns(mode_);
                for (int y = top; y < top + mode_.shape.cell.height; ++y) {
                    const PixelArea pixels = mode_.colour_area_at({left, y});
                    if (pixels.top != y) continue;
                    Area area{pixels, int(cells_.size()), {kNoColour, kNoColour, kNoColour}};
                    int own = 0;
                    for_each_pixel(pixels, columns, [&](int i) {
                        const std::uint8_t c = picture_[std::size_t(i)];
                        if ((mode_.shared.background && c == background_) || c == shared ||
                            std::find(area.own.begin(), area.own.end(), c) != area.own.end())
                            return;
                        if (own < mode_.own_colours) area.own[std::size_t(own)] = c;
                        ++own;
                    });
                    cell.searched = cell.searched && own <= mode_.own_colours;
                    cell.areas.push_back(int(areas_.size()));
                    areas_.push_back(area);
                }
                if (cell.searched || left < hidden_columns(mode_)) break;
            }
            for (int a : cell.areas)
                for_each_pixel(areas_[std::size_t(a)].pixels, columns,
                               [&](int i) { area_of_[std::size_t(i)] = a; });
            if (cell.searched) searched_pixels_ += cell.pixels.width * cell.pixels.height;
            cells_.push_back(std::move(cell));
        }
    return searched_pixels_ > 0;
}

// The error as the picture stands, each place weighed as CIEDE2000 weighs a difference at the
// colour halfway between the blurred target and the blurred picture there.
void DitherSearch::reset_error() {
    std::vector<Linear> shown(wanted_.size());
    for (std::size_t i = 0; i < wanted_.size(); ++i) shown[i] = palette_[picture_[i]];
    const std::vector<Linear> shown_blurred =
        convolved(shown, target_.columns, blur_across_, blur_down_);
    scales_.resize(wanted_.size());
    std::vector<Linear> difference(wanted_.size());
    on_both_cores([&](int share) {
        const std::size_t half = wanted_.size() / 2;
        for (std::size_t i = share ? half : 0; i < (share ? wanted_.size() : half); ++i) {
            scales_[i] = Scale(weight_at(0.5f * (wanted_blurred_[i] + shown_blurred[i])));
            difference[i] = scales_[i](shown[i] - wanted_[i]);
        }
    });
    error_ = convolved(difference, target_.columns, across_, down_);
}

// `slot` shows `colour` instead, the pixels that showed what it held taking their best colour
// left and every pixel of the region then its best: the change, all undone unless it lowers
// the error.
float DitherSearch::replace(std::uint8_t& slot, std::uint8_t colour, const PixelArea& region) {
    const std::uint8_t was = slot;
    Log log;
    slot = colour;
    float change = 0;
    for_each_pixel(region, target_.columns, [&](int i) {
        const Choice choice = choice_at(i);
        if (choice.has(picture_[std::size_t(i)])) return;
        float best = std::numeric_limits<float>::max();
        std::uint8_t to = choice.colours[0];
        for (int k = 0; k < choice.count; ++k)
            if (const float c = cost(i, choice.colours[std::size_t(k)]); c < best)
                best = c, to = choice.colours[std::size_t(k)];
        change += best;
        paint(i, to, &log);
    });
    for_each_pixel(region, target_.columns, [&](int i) { change += improve_pixel(i, &log); });
    if (change < 0) return change;
    for (auto it = log.rbegin(); it != log.rend(); ++it) paint(it->first, it->second);
    slot = was;
    return 0;
}

// Of the colours that could stand in for the slot's, the one that looks best with each pixel
// taken on its own, tried in earnest.
void DitherSearch::improve_slot(std::uint8_t& slot, const PixelArea& region) {
    const int columns = target_.columns;
    std::vector<std::array<float, 16>> costs;
    for_each_pixel(region, columns, [&](int i) {
        std::array<float, 16> c;
        for (int k = 0; k < 16; ++k) c[std::size_t(k)] = cost(i, std::uint8_t(k));
        costs.push_back(c);
    });
    const std::uint8_t was = slot;
    const int first = region.top * columns + region.left;
    float best = 0;
    std::uint8_t best_colour = was;
    for (int colour = 0; colour < 16; ++colour) {
        if (choice_at(first).has(std::uint8_t(colour))) continue;
        slot = std::uint8_t(colour);
        float change = 0;
        std::size_t n = 0;
        for_each_pixel(region, columns, [&](int i) {
            const std::array<float, 16>& c = costs[n++];
            const Choice choice = choice_at(i);
            if (choice.has(picture_[std::size_t(i)])) {
                change += std::min(0.0f, c[std::size_t(colour)]);
                return;
            }
            float least = std::numeric_limits<float>::max();
            for (int k = 0; k < choice.count; ++k)
                least = std::min(least, c[choice.colours[std::size_t(k)]]);
            change += least;
        });
        if (change < best) best = change, best_colour = std::uint8_t(colour);
    }
    slot = was;
    if (best_colour != was) replace(slot, best_colour, region);
}

void DitherSearch::improve_cell(Cell& cell) {
    if (!cell.searched) return;
    if (mode_.shared.cell_colour) improve_slot(cell.shared, cell.pixels);
    for (int a : cell.areas)
        for (int k = 0; k < mode_.own_colours; ++k)
            improve_slot(areas_[std::size_t(a)].own[std::size_t(k)], areas_[std::size_t(a)].pixels);
    for_each_pixel(cell.pixels, target_.columns, [&](int i) { improve_pixel(i); });
}

// Bands of cell rows, tall enough that a change in one reaches no pixel of the next band but
// one: the even bands are searched two at a time, then the odd ones, each band's cells in
// turn, and the result is the same whichever thread takes a band.
void DitherSearch::improve_cells() {
    const int cell_height = mode_.shape.cell.height, reach = int(down_.size()) - 1;
    const int band_rows = (2 * reach + cell_height - 1) / cell_height;
    const int cell_rows = kPictureRows / cell_height;
    const auto improve_band = [&](int band) {
        for (int row = band * band_rows; row < std::min(cell_rows, (band + 1) * band_rows); ++row)
            for (int column = 0; column < kCellColumns; ++column)
                improve_cell(cells_[std::size_t(row * kCellColumns + column)]);
    };
    const int bands = (cell_rows + band_rows - 1) / band_rows;
    for (int parity = 0; parity < 2; ++parity) {
        // One core takes every other band of this parity, the other the rest.
        on_both_cores([&](int share) {
            for (int band = parity + 2 * share; band < bands; band += 4) improve_band(band);
        });
    }
}

int DitherSearch::pass() {
    reset_error();
    const StoredPicture before = picture_;
    improve_cells();
    int changed = 0;
    for (std::size_t i = 0; i < picture_.size(); ++i) changed += picture_[i] != before[i];
    return changed;
}

} // namespace

StoredPicture search_dither(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                            std::uint8_t background, const StoredPicture& start,
                            const SearchSettings& settings) {
    DitherSearch search(target, colors, mode, background, start);
    if (!search.read_areas()) return start;
    search.set_blur(settings.blur);
    const auto spent = [began = std::clock()] {
        return double(std::clock() - began) / CLOCKS_PER_SEC;
    };
    double longest_pass = 0;
    for (int pass = 1; pass <= kMaxPasses; ++pass) {
        const double before = spent();
        const int changed = search.pass();
        longest_pass = std::max(longest_pass, spent() - before);
        // A pass that would end past the budget is not begun.
        const bool last = changed < kSettledShare * search.searched_pixels() ||
                          pass == kMaxPasses || spent() + longest_pass > settings.cpu_seconds;
        if (settings.progress)
            settings.progress(
                last ? 1
                     : std::min(1.0, std::max(double(pass) / kMaxPasses,
                                              (spent() + longest_pass) / settings.cpu_seconds)),
                search.picture());
        if (last) break;
    }
    return search.picture();
}
