#include "conversion/fit.h"
#include "modes/mode.h"
#include "picture/picture.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenWidth = 2 * kPictureColumns;

// Where the image lies, in the picture's pixels (`pixel_aspect` screen pixels wide) and on the
// screen.
struct Placement {
    int width, height;
    bool scaled;
    int screen_width;
};

Placement place(int width, int height, int pixel_aspect) {
    if (height == kPictureRows && (width == kPictureColumns || width == kScreenWidth))
        return {kScreenWidth / pixel_aspect, kPictureRows, false, kScreenWidth};
    const double scale = std::min(double(kScreenWidth) / width, double(kPictureRows) / height);
    const int screen_width = std::max(1, int(std::lround(width * scale)));
    return {std::max(1, (screen_width + pixel_aspect - 1) / pixel_aspect),
            std::clamp(int(std::lround(height * scale)), 1, kPictureRows), true, screen_width};
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

// The average, in linear light, of the source area each of `out_width` x `out_height` pixels
// covers. Rows are read once each, in order, so the source is never held whole.
std::vector<Linear> average_by_area(int width, int height, int out_width, int out_height,
                                    const RowReader& row) {
    const Coverage across = area_coverage(width, out_width);
    const Coverage down = area_coverage(height, out_height);
    std::vector<Linear> sums(std::size_t(out_width) * std::size_t(out_height));
    auto line = std::vector<Linear>(std::size_t(out_width));
    int first_out_row = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rgb = row(y);
        for (int x = 0; x < out_width; ++x) {
            Linear sum;
            for (int k = across.start[x]; k < across.start[x + 1]; ++k) {
                const std::uint8_t* p = rgb + 3 * (across.first[x] + k - across.start[x]);
                const float w = across.weights[k];
                sum.r += w * linear_from_srgb(p[0]);
                sum.g += w * linear_from_srgb(p[1]);
                sum.b += w * linear_from_srgb(p[2]);
            }
            line[x] = sum;
        }
        // The output rows this source row lies under, with its share of each.
        while (first_out_row < out_height &&
               down.first[first_out_row] +
                       (down.start[first_out_row + 1] - down.start[first_out_row]) <=
                   y)
            ++first_out_row;
        for (int t = first_out_row; t < out_height && down.first[t] <= y; ++t) {
            const float w = down.weights[down.start[t] + y - down.first[t]];
            Linear* out = &sums[std::size_t(t) * std::size_t(out_width)];
            for (int x = 0; x < out_width; ++x) {
                out[x].r += w * line[x].r;
                out[x].g += w * line[x].g;
                out[x].b += w * line[x].b;
            }
        }
    }
    return sums;
}

// Where an image of that size lies on a picture of that shape: centred.
PictureTarget laid_onto_picture(const RgbImage& image, const PictureShape& shape) {
    PictureTarget target;
    target.columns = shape.width;
    if (image.width <= 0 || image.height <= 0) return target;
    const Placement placement = place(image.width, image.height, shape.pixel_aspect);
    target.width = placement.width;
    target.height = placement.height;
    target.scaled = placement.scaled;
    target.left = (target.columns - target.width) / 2;
    target.top = (shape.height - target.height) / 2;
    return target;
}

void fit_by_area(const RgbImage& image, PictureTarget& target) {
    const std::vector<Linear> sums =
        average_by_area(image.width, image.height, target.width, target.height, rows_of(image));
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const Linear& sum = sums[std::size_t(y) * target.width + x];
            target.pixels[std::size_t((target.top + y) * target.columns + target.left + x)] =
                lab_from_linear(sum.r, sum.g, sum.b);
        }
}

void fit_by_sampling(const RgbImage& image, const LabPalette& colors, PictureTarget& target) {
    for (int y = 0; y < target.height; ++y) {
        const int source_y = int((y + 0.5) * image.height / target.height);
        for (int x = 0; x < target.width; ++x) {
            const std::uint8_t* p =
                image.pixel(int((x + 0.5) * image.width / target.width), source_y);
            target.pixels[std::size_t((target.top + y) * target.columns + target.left + x)] =
                colors[nearest_color(lab_from_rgb(p[0], p[1], p[2]), colors)];
        }
    }
}

} // namespace

RowReader rows_of(const RgbImage& image) {
    return [&image](int y) { return image.pixel(0, y); };
}

RgbImage reduce_for_picture(int width, int height, const RowReader& row, bool keep_colors) {
    if (width <= 2 * kScreenWidth && height <= 2 * kPictureRows) {
        RgbImage copy{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
        for (int y = 0; y < height; ++y)
            std::copy_n(row(y), std::size_t(width) * 3,
                        copy.rgb.begin() + std::size_t(y) * width * 3);
        return copy;
    }
    const Placement placement = place(width, height, 2); // only its screen size counts
    RgbImage copy{2 * placement.screen_width, 2 * placement.height, {}};
    copy.rgb.resize(std::size_t(copy.width) * copy.height * 3);
    std::uint8_t* out = copy.rgb.data();
    if (keep_colors) {
        for (int y = 0; y < copy.height; ++y) {
            const std::uint8_t* rgb = row(int((y + 0.5) * height / copy.height));
            for (int x = 0; x < copy.width; ++x, out += 3)
                std::copy_n(rgb + 3 * int((x + 0.5) * width / copy.width), 3, out);
        }
        return copy;
    }
    for (const Linear& sum : average_by_area(width, height, copy.width, copy.height, row)) {
        *out++ = srgb_from_linear(sum.r);
        *out++ = srgb_from_linear(sum.g);
        *out++ = srgb_from_linear(sum.b);
    }
    return copy;
}

PictureTarget fit_to_picture(const RgbImage& image, const LabPalette* drawn_in,
                             PictureFormat format) {
    const PictureShape& shape = mode_of(format).shape;
    PictureTarget target = laid_onto_picture(image, shape);
    target.pixels.assign(std::size_t(shape.width) * std::size_t(shape.height), Lab{});
    if (target.width == 0) return target;
    if (drawn_in)
        fit_by_sampling(image, *drawn_in, target);
    else
        fit_by_area(image, target);
    return target;
}

PictureRgb fit_rgb_to_picture(const RgbImage& image) {
    const PictureTarget laid = laid_onto_picture(image, mode_of(fmtMulticolor).shape);
    PictureRgb fitted{{kPictureColumns, kPictureRows, std::vector<std::uint8_t>(kPictureBytes * 3)},
                      laid.left,
                      laid.top,
                      laid.width,
                      laid.height};
    if (laid.width == 0) return fitted;
    const std::vector<Linear> sums =
        average_by_area(image.width, image.height, laid.width, laid.height, rows_of(image));
    for (int y = 0; y < laid.height; ++y)
        for (int x = 0; x < laid.width; ++x) {
            const Linear& sum = sums[std::size_t(y) * laid.width + x];
            std::uint8_t* out =
                &fitted.image
                     .rgb[std::size_t(((laid.top + y) * kPictureColumns + laid.left + x) * 3)];
            out[0] = srgb_from_linear(sum.r);
            out[1] = srgb_from_linear(sum.g);
            out[2] = srgb_from_linear(sum.b);
        }
    return fitted;
}
