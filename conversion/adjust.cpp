#include "conversion/adjust.h"
#include "conversion/convert.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTop = 65535.0; // a 16-bit channel at full

std::uint16_t to_16(double value) { return std::uint16_t(std::clamp(value, 0.0, kTop) + 0.5); }

// 16 bits to 8 as ImageMagick writes an 8-bit image: rounded down.
std::uint8_t to_8(std::uint16_t value) { return std::uint8_t(value / 257u); }

constexpr int kScreenWidth = 2 * kPictureColumns;

} // namespace

std::optional<const char*> adjustments_error(const ImageAdjustments& a) {
    if (std::abs(a.brightness) > kMostBrightness) return "--brightness must be -100 to 100";
    if (std::abs(a.contrast) > kMostBrightness) return "--contrast must be -100 to 100";
    if (a.saturation < 0 || a.saturation > kMostSaturation) return "--saturation must be 0 to 300";
    if (!(a.gamma >= kLeastGamma && a.gamma <= kMostGamma)) return "--gamma must be 0.1 to 10";
    if (a.crop && a.crop->empty()) return "--crop must have a width and a height";
    if (a.place) {
        const PixelArea& p = *a.place;
        const int across = kMostPlaced * kScreenWidth, down = kMostPlaced * kPictureRows;
        if (p.empty() || p.width > across || p.height > down || std::abs(p.left) > across ||
            std::abs(p.top) > down)
            return "--place must have a width and a height, and reach at most 4 screens";
    }
    return std::nullopt;
}

// Brightness and contrast are a straight line through each channel (0 to 1): a slope of
// tan((contrast / 100 + 1) * pi / 4), never below 0, lifted by brightness / 100 and turned about
// the middle, as ImageMagick's -brightness-contrast draws it.
ToneChange::ToneChange(const ImageAdjustments& adjustments)
    : saturation_(adjustments.saturation / 100.0) {
    const double brightness = adjustments.brightness, contrast = adjustments.contrast;
    const double slope = std::max(0.0, std::tan(std::numbers::pi * (contrast / 100 + 1) / 4));
    const double intercept = brightness / 100 + (100 - brightness) / 200 * (1 - slope);
    const bool straight = brightness == 0 && contrast == 0;
    for (int value = 0; value < 256; ++value)
        level_[std::size_t(value)] =
            straight ? std::uint16_t(value * 257) : to_16(kTop * (slope * value / 255 + intercept));
    if (adjustments.gamma == 1.0) return;
    gamma_.resize(65536);
    for (std::size_t value = 0; value < gamma_.size(); ++value)
        gamma_[value] = to_16(kTop * std::pow(value / kTop, 1 / adjustments.gamma));
}

// Scaling a colour's HSL saturation, its hue and lightness kept, moves each channel away from
// the lightness (the middle of its largest and smallest channel) in proportion.
void ToneChange::apply(std::uint8_t* rgb, int pixels) const {
    for (int i = 0; i < pixels; ++i, rgb += 3) {
        std::array<std::uint16_t, 3> channels{level_[rgb[0]], level_[rgb[1]], level_[rgb[2]]};
        if (saturation_ != 1) {
            const auto [low, high] = std::minmax({channels[0], channels[1], channels[2]});
            const double lightness = (double(low) + high) / 2;
            for (std::uint16_t& channel : channels)
                channel = to_16(lightness + saturation_ * (channel - lightness));
        }
        for (int c = 0; c < 3; ++c)
            rgb[c] =
                to_8(gamma_.empty() ? channels[std::size_t(c)] : gamma_[channels[std::size_t(c)]]);
    }
}

PixelArea cropped_area(int width, int height, const std::optional<PixelArea>& crop) {
    const PixelArea whole{0, 0, width, height};
    return crop ? clipped(*crop, whole) : whole;
}

RgbImage adjusted_working_copy(int width, int height, const RowReader& row,
                               const ImageAdjustments& adjustments) {
    const PixelArea taken = cropped_area(width, height, adjustments.crop);
    if (taken.empty()) return {};
    const ToneChange tones(adjustments);
    std::vector<std::uint8_t> line(std::size_t(taken.width) * 3);
    const RowReader adjusted = [&](int y) {
        const std::uint8_t* from = row(taken.top + y) + std::size_t(taken.left) * 3;
        std::copy_n(from, line.size(), line.begin());
        tones.apply(line.data(), taken.width);
        return line.data();
    };
    const bool drawn = recognise_palette(taken.width, taken.height, adjusted).has_value();
    return reduce_for_picture(taken.width, taken.height, adjusted, drawn, adjustments.place);
}
