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

// Where an image of that size lies on a picture of that shape, in the picture's pixels: fitted
// and centred, or over every pixel that the place on the screen reaches into (so that the fit,
// placed, lies where it lay). It may reach past the picture's edges.
struct Laid {
    PixelArea whole;
    bool scaled = false;
};

Laid laid_onto_picture(int width, int height, const PictureShape& shape,
                       const std::optional<PixelArea>& placed) {
    if (width <= 0 || height <= 0) return {};
    const int aspect = shape.pixel_aspect;
    if (placed) { // where and as large as asked: not scaled to fit
        const auto pixel_of = [&](int screen) {
            return (screen - (screen < 0 ? aspect - 1 : 0)) / aspect;
        };
        const int left = pixel_of(placed->left), right = pixel_of(placed->right());
        return {{left, placed->top, right - left + 1, placed->height}, false};
    }
    const Placement placement = place(width, height, aspect);
    return {{(shape.width - placement.width) / 2, (shape.height - placement.height) / 2,
             placement.width, placement.height},
            placement.scaled};
}

PictureTarget target_for(const Laid& laid, const PictureShape& shape) {
    PictureTarget target;
    target.columns = shape.width;
    const PixelArea shown = clipped(laid.whole, {0, 0, shape.width, shape.height});
    target.left = shown.left, target.top = shown.top;
    target.width = shown.width, target.height = shown.height;
    target.scaled = laid.scaled;
    target.pixels.assign(std::size_t(shape.width) * std::size_t(shape.height), Lab{});
    return target;
}

// Each pixel of the picture where the image lies, from its place in the whole laid image.
template <class Value> void each_shown(const Laid& laid, PictureTarget& target, Value value) {
    for (int y = target.top; y < target.top + target.height; ++y)
        for (int x = target.left; x < target.left + target.width; ++x)
            target.pixels[std::size_t(y * target.columns + x)] =
                value(x - laid.whole.left, y - laid.whole.top);
}

void fit_by_area(const RgbImage& image, const Laid& laid, PictureTarget& target) {
    const std::vector<Linear> sums = average_by_area(image.width, image.height, laid.whole.width,
                                                     laid.whole.height, rows_of(image));
    each_shown(laid, target, [&](int x, int y) {
        const Linear& sum = sums[std::size_t(y) * laid.whole.width + x];
        return lab_from_linear(sum.r, sum.g, sum.b);
    });
}

void fit_by_sampling(const RgbImage& image, const LabPalette& colors, const Laid& laid,
                     PictureTarget& target) {
    each_shown(laid, target, [&](int x, int y) {
        const std::uint8_t* p = image.pixel(int((x + 0.5) * image.width / laid.whole.width),
                                            int((y + 0.5) * image.height / laid.whole.height));
        return colors[nearest_color(lab_from_rgb(p[0], p[1], p[2]), colors)];
    });
}

} // namespace

RowReader rows_of(const RgbImage& image) {
    return [&image](int y) { return image.pixel(0, y); };
}

RgbImage reduce_for_picture(int width, int height, const RowReader& row, bool keep_colors,
                            const std::optional<PixelArea>& placed) {
    const Placement fitted = place(width, height, 2); // only its screen size counts
    const int screen_width = placed ? placed->width : fitted.screen_width;
    const int screen_height = placed ? placed->height : fitted.height;
    const bool small = placed ? width <= 2 * screen_width && height <= 2 * screen_height
                              : width <= 2 * kScreenWidth && height <= 2 * kPictureRows;
    if (small) {
        RgbImage copy{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
        for (int y = 0; y < height; ++y)
            std::copy_n(row(y), std::size_t(width) * 3,
                        copy.rgb.begin() + std::size_t(y) * width * 3);
        return copy;
    }
    RgbImage copy{std::min(width, 2 * screen_width), std::min(height, 2 * screen_height), {}};
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
                             PictureFormat format, const std::optional<PixelArea>& placed) {
    const PictureShape& shape = mode_of(format).shape;
    const Laid laid = laid_onto_picture(image.width, image.height, shape, placed);
    PictureTarget target = target_for(laid, shape);
    if (target.width == 0) return target;
    if (drawn_in)
        fit_by_sampling(image, *drawn_in, laid, target);
    else
        fit_by_area(image, laid, target);
    return target;
}

PictureRgb fit_rgb_to_picture(const RgbImage& image, const std::optional<PixelArea>& placed) {
    const PictureShape& shape = mode_of(fmtMulticolor).shape;
    const Laid laid = laid_onto_picture(image.width, image.height, shape, placed);
    const PictureTarget target = target_for(laid, shape);
    PictureRgb fitted{{kPictureColumns, kPictureRows, std::vector<std::uint8_t>(kPictureBytes * 3)},
                      target.left,
                      target.top,
                      target.width,
                      target.height};
    if (target.width == 0) return fitted;
    const std::vector<Linear> sums = average_by_area(image.width, image.height, laid.whole.width,
                                                     laid.whole.height, rows_of(image));
    for (int y = target.top; y < target.top + target.height; ++y)
        for (int x = target.left; x < target.left + target.width; ++x) {
            const Linear& sum = sums[std::size_t(y - laid.whole.top) * laid.whole.width +
                                     std::size_t(x - laid.whole.left)];
            std::uint8_t* out = &fitted.image.rgb[std::size_t((y * kPictureColumns + x) * 3)];
            out[0] = srgb_from_linear(sum.r);
            out[1] = srgb_from_linear(sum.g);
            out[2] = srgb_from_linear(sum.b);
        }
    return fitted;
}

PixelArea fitted_place(int width, int height, const PictureShape& shape) {
    const Laid laid = laid_onto_picture(width, height, shape, std::nullopt);
    const int aspect = shape.pixel_aspect;
    return {laid.whole.left * aspect, laid.whole.top, laid.whole.width * aspect, laid.whole.height};
}
