#include "colour/pal_display.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// BT.601: the weights of red, green and blue in the luma, and the scale of each colour
// difference.
constexpr float kRedWeight = 0.299f, kGreenWeight = 0.587f, kBlueWeight = 0.114f;
constexpr float kUScale = 0.492f, kVScale = 0.877f;

// Luma keeps nearly all of its sharpness: a pixel gives this share to each neighbour.
constexpr float kLumaSpread = 0.125f;
// Chroma has about a quarter of the luma's bandwidth: a little over four screen pixels wide.
constexpr std::array<float, 2 * PalDisplay::kReach + 1> kChromaTaps = {0.125f, 0.25f, 0.25f, 0.25f,
                                                                       0.125f};

std::uint8_t to_byte(float value) {
    return std::uint8_t(std::clamp(value * 255.0f, 0.0f, 255.0f) + 0.5f);
}

// The colour index shown at screen pixel `x` of a line of picture pixels `pixel_aspect` wide.
std::uint8_t color_at(const std::uint8_t* line, int width, int pixel_aspect, int x) {
    return line[std::clamp(x, 0, width * pixel_aspect - 1) / pixel_aspect] & 0x0F;
}

} // namespace

Yuv yuv_from_color(TColor color) {
    const float red = float(RedOf(color)) / 255.0f, green = float(GreenOf(color)) / 255.0f,
                blue = float(BlueOf(color)) / 255.0f;
    const float y = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
    return {y, kUScale * (blue - y), kVScale * (red - y)};
}

TColor color_from_yuv(const Yuv& yuv) {
    const float red = yuv.y + yuv.v * (1 / kVScale), blue = yuv.y + yuv.u * (1 / kUScale);
    const float green = (yuv.y - kRedWeight * red - kBlueWeight * blue) * (1 / kGreenWeight);
    return RGBColor(to_byte(red), to_byte(green), to_byte(blue));
}

PalDisplay::PalDisplay(const Palette& colors) {
    for (std::size_t i = 0; i < colors.size(); ++i) yuv_[i] = yuv_from_color(colors[i]);
}

void PalDisplay::signal(const std::uint8_t* line, int width, int pixel_aspect, int from, int to,
                        Yuv* out) const {
    for (int x = from - kReach; x < to + kReach; ++x)
        *out++ = yuv_[color_at(line, width, pixel_aspect, x)];
}

// The line and the one above as signals first, so that each filter tap is a read.
void PalDisplay::show_row(ConstPixelGrid picture, int pixel_aspect, int row, int from, int to,
                          TColor* out) const {
    if (to <= from) return;
    const std::size_t span = std::size_t(to - from + 2 * kReach);
    thread_local std::vector<Yuv> mine, over;
    if (mine.size() < span) mine.resize(span), over.resize(span);
    signal(picture.row(row), picture.width, pixel_aspect, from, to, mine.data());
    signal(picture.row(std::max(row - 1, 0)), picture.width, pixel_aspect, from, to, over.data());
    for (int i = 0; i < to - from; ++i) {
        const Yuv* here = mine.data() + i + kReach;
        const Yuv* above = over.data() + i + kReach;
        float u = 0, v = 0;
        for (int tap = -kReach; tap <= kReach; ++tap) {
            const float weight = kChromaTaps[std::size_t(tap + kReach)] * kPalChromaGain / 2;
            u += weight * (here[tap].u + above[tap].u);
            v += weight * (here[tap].v + above[tap].v);
        }
        const float y = (1 - 2 * kLumaSpread) * here[0].y + kLumaSpread * (here[-1].y + here[1].y);
        out[i] = color_from_yuv({y, u, v});
    }
}

std::vector<TColor> PalDisplay::show_picture(ConstPixelGrid picture, int pixel_aspect) const {
    const int width = picture.width * pixel_aspect;
    std::vector<TColor> shown(std::size_t(width) * std::size_t(picture.height));
    for (int row = 0; row < picture.height; ++row)
        show_row(picture, pixel_aspect, row, 0, width, shown.data() + std::size_t(row) * width);
    return shown;
}

TColor PalDisplay::blend(std::uint8_t first, std::uint8_t second) const {
    const Yuv& a = yuv_[first & 0x0F];
    const Yuv& b = yuv_[second & 0x0F];
    return color_from_yuv(
        {(a.y + b.y) / 2, kPalChromaGain * (a.u + b.u) / 2, kPalChromaGain * (a.v + b.v) / 2});
}

PixelArea pal_reach(const PixelArea& changed, const PictureShape& shape) {
    if (changed.empty()) return {};
    const int across = (PalDisplay::kReach + shape.pixel_aspect - 1) / shape.pixel_aspect;
    return clipped(
        {changed.left - across, changed.top, changed.width + 2 * across, changed.height + 1},
        {0, 0, shape.width, shape.height});
}

std::vector<PalBlend> pal_blends(const PalDisplay& display) {
    std::vector<PalBlend> blends;
    for (std::uint8_t first = 0; first < 16; ++first)
        for (std::uint8_t second = first + 1; second < 16; ++second)
            if (std::abs(display.luma(first) - display.luma(second)) <= kBlendLumaLimit)
                blends.push_back({first, second});
    return blends;
}
