#include "c64/fit.h"
#include "picture/picture.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenWidth = 2 * kPictureColumns;

struct Placement {
    int width, height;
    bool scaled;
};

Placement place(int width, int height) {
    if (height == kPictureRows && (width == kPictureColumns || width == kScreenWidth))
        return {kPictureColumns, kPictureRows, false};
    const double scale = std::min(double(kScreenWidth) / width, double(kPictureRows) / height);
    const int screen_width = std::max(1, int(std::lround(width * scale)));
    return {std::max(1, (screen_width + 1) / 2),
            std::clamp(int(std::lround(height * scale)), 1, kPictureRows), true};
}

// The source pixels each target pixel covers along one axis, with the share of each.
struct Coverage {
    std::vector<int> first; // per target pixel
    std::vector<int> start; // per target pixel, into weights
    std::vector<float> weights;
};

Coverage area_coverage(int source, int target) {
    Coverage coverage;
    const double step = double(source) / target;
    for (int t = 0; t < target; ++t) {
        const double low = t * step, high = (t + 1) * step;
        const int first = int(low), last = std::min(source - 1, int(std::ceil(high)) - 1);
        coverage.first.push_back(first);
        coverage.start.push_back(int(coverage.weights.size()));
        for (int s = first; s <= last; ++s)
            coverage.weights.push_back(
                float((std::min(high, s + 1.0) - std::max(low, double(s))) / step));
    }
    coverage.start.push_back(int(coverage.weights.size()));
    return coverage;
}

struct Linear {
    float r = 0, g = 0, b = 0;
};

void fit_by_area(const RgbImage& image, PictureTarget& target) {
    const Coverage across = area_coverage(image.width, target.width);
    const Coverage down = area_coverage(image.height, target.height);
    // Across each source row first, then down each target column.
    std::vector<Linear> rows(std::size_t(image.height) * std::size_t(target.width));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            Linear sum;
            for (int k = across.start[x]; k < across.start[x + 1]; ++k) {
                const std::uint8_t* p = image.pixel(across.first[x] + k - across.start[x], y);
                const float w = across.weights[k];
                sum.r += w * linear_from_srgb(p[0]);
                sum.g += w * linear_from_srgb(p[1]);
                sum.b += w * linear_from_srgb(p[2]);
            }
            rows[std::size_t(y) * target.width + x] = sum;
        }
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            Linear sum;
            for (int k = down.start[y]; k < down.start[y + 1]; ++k) {
                const Linear& p =
                    rows[std::size_t(down.first[y] + k - down.start[y]) * target.width + x];
                const float w = down.weights[k];
                sum.r += w * p.r;
                sum.g += w * p.g;
                sum.b += w * p.b;
            }
            target.pixels[(target.top + y) * kPictureColumns + target.left + x] =
                lab_from_linear(sum.r, sum.g, sum.b);
        }
}

void fit_by_sampling(const RgbImage& image, const LabPalette& colors, PictureTarget& target) {
    for (int y = 0; y < target.height; ++y) {
        const int source_y = int((y + 0.5) * image.height / target.height);
        for (int x = 0; x < target.width; ++x) {
            const std::uint8_t* p =
                image.pixel(int((x + 0.5) * image.width / target.width), source_y);
            target.pixels[(target.top + y) * kPictureColumns + target.left + x] =
                colors[nearest_color(lab_from_rgb(p[0], p[1], p[2]), colors)];
        }
    }
}

} // namespace

PictureTarget fit_to_picture(const RgbImage& image, const LabPalette* drawn_in) {
    PictureTarget target;
    target.pixels.assign(kPictureBytes, Lab{});
    if (image.width <= 0 || image.height <= 0) return target;
    const Placement placement = place(image.width, image.height);
    target.width = placement.width;
    target.height = placement.height;
    target.scaled = placement.scaled;
    target.left = (kPictureColumns - target.width) / 2;
    target.top = (kPictureRows - target.height) / 2;
    if (drawn_in)
        fit_by_sampling(image, *drawn_in, target);
    else
        fit_by_area(image, target);
    return target;
}
