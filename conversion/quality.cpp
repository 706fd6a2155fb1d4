#include "conversion/quality.h"
#include "c64/fli.h"
#include "colour/color_difference.h"
#include "conversion/diffusion.h"
#include <cmath>

namespace {

constexpr int kScreenColumns = 2 * kPictureColumns;
using Screen = std::vector<Linear>; // kScreenColumns x kPictureRows

// The picture pixel a screen pixel shows: a multicolour pixel is two screen pixels wide.
int picture_index(const PictureTarget& target, int screen_column, int row) {
    return row * target.columns + screen_column * target.columns / kScreenColumns;
}

template <class ColorOf> Screen screen_of(const PictureTarget& target, ColorOf color_of) {
    Screen screen(std::size_t(kScreenColumns * kPictureRows));
    for (int y = 0; y < kPictureRows; ++y)
        for (int x = 0; x < kScreenColumns; ++x)
            screen[std::size_t(y * kScreenColumns + x)] =
                linear_from_lab(color_of(picture_index(target, x, y)));
    return screen;
}

// A separable Gaussian; the edges repeat their last pixel.
Screen blurred(const Screen& screen) {
    const std::vector<float> kernel = gaussian_kernel(kViewingBlur);
    const int radius = int(kernel.size() / 2);
    const auto pass = [&](const Screen& in, int step, int length, auto position) {
        Screen out(in.size());
        for (std::size_t i = 0; i < in.size(); ++i) {
            const int at = position(int(i));
            Linear total;
            for (int d = -radius; d <= radius; ++d) {
                const int j = int(i) + step * (std::clamp(at + d, 0, length - 1) - at);
                const float k = kernel[std::size_t(d + radius)];
                total.r += k * in[std::size_t(j)].r;
                total.g += k * in[std::size_t(j)].g;
                total.b += k * in[std::size_t(j)].b;
            }
            out[i] = total;
        }
        return out;
    };
    const Screen across = pass(screen, 1, kScreenColumns, [](int i) { return i % kScreenColumns; });
    return pass(across, kScreenColumns, kPictureRows, [](int i) { return i / kScreenColumns; });
}

Lab lab_of(const Linear& color) {
    return lab_from_linear(std::max(color.r, 0.0f), std::max(color.g, 0.0f),
                           std::max(color.b, 0.0f));
}

} // namespace

// Out to 10/3 sigma, 5 pixels for the viewing blur.
std::vector<float> gaussian_kernel(float sigma) {
    const int radius = int(std::ceil(sigma * 10 / 3));
    std::vector<float> kernel(std::size_t(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[std::size_t(i + radius)] = std::exp(-0.5f * float(i * i) / (sigma * sigma));
    for (float& k : kernel) k /= sum;
    return kernel;
}

Quality conversion_quality(const PictureTarget& target, ConstPixelGrid picture,
                           const LabPalette& colors) {
    require_size(picture, target.columns, kPictureRows, "conversion_quality");
    // On the screen, where every mode's pixels are measured alike.
    const int aspect = kScreenColumns / target.columns;
    const int left = std::max(aspect * target.left, 2 * kFliBugColumns),
              right = aspect * (target.left + target.width);
    const int top = target.top, bottom = target.top + target.height;
    if (left >= right || top >= bottom) return {};
    const auto wanted = [&](int i) { return target.pixels[std::size_t(i)]; };
    const auto shown = [&](int i) { return colors[picture.pixels[i] & 0x0F]; };
    const Screen wanted_blurred = blurred(screen_of(target, wanted));
    const Screen shown_blurred = blurred(screen_of(target, shown));
    double plain = 0, blur = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const int at = picture_index(target, x, y);
            plain += color_difference(wanted(at), shown(at));
            const std::size_t i = std::size_t(y * kScreenColumns + x);
            blur += color_difference(lab_of(wanted_blurred[i]), lab_of(shown_blurred[i]));
        }
    const double pixels = double(right - left) * double(bottom - top);
    return {plain / pixels, blur / pixels};
}

QualityFigures measure_quality(const RgbImage& image, const ConversionOptions& options) {
    const PaletteMatch match = match_palette(image, options.palette);
    const LabPalette& colors = lab_palette(match.palette);
    const PictureTarget target =
        fit_to_picture(image, match.drawn_in_it ? &colors : nullptr, options.format);
    const Conversion conversion = convert_image(image, options);
    const LabCPalette palette = with_chroma(colors);
    StoredPicture nearest{};
    for (std::size_t i = 0; i < target.pixels.size(); ++i)
        nearest[i] =
            std::uint8_t(nearest_color(with_chroma(target.pixels[std::size_t(i)]), palette));
    const StoredPicture unlimited = diffuse_freely(target, colors);
    return {conversion_quality(target, target.grid_of(conversion.picture), colors),
            conversion_quality(target, target.grid_of(nearest), colors),
            conversion_quality(target, target.grid_of(unlimited), colors)};
}
