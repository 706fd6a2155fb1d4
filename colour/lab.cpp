#include "colour/lab.h"
#include "colour/color_difference.h"
#include <algorithm>

namespace {

struct LinearTable {
    std::array<float, 256> values{};
    LinearTable() {
        for (unsigned v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            values[v] = float(s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
        }
    }
};

float lab_f(float t) {
    constexpr float delta = 6.0f / 29.0f;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0f / 29.0f;
}

LabPalette make_lab_palette(PaletteId id) {
    LabPalette labs;
    for (int i = 0; i < 16; ++i) labs[i] = lab_from_color(palette_colors(id)[i]);
    return labs;
}

float lab_f_inverse(float t) {
    constexpr float delta = 6.0f / 29;
    return t > delta ? t * t * t : 3 * delta * delta * (t - 4.0f / 29);
}

} // namespace

float linear_from_srgb(unsigned component) {
    static const LinearTable table;
    return table.values[component & 0xFF];
}

std::uint8_t srgb_from_linear(float linear) {
    const double l = std::clamp(double(linear), 0.0, 1.0);
    const double s = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return std::uint8_t(std::lround(s * 255));
}

Lab lab_from_linear(float red, float green, float blue) {
    const float x = 0.4124564f * red + 0.3575761f * green + 0.1804375f * blue;
    const float y = 0.2126729f * red + 0.7151522f * green + 0.0721750f * blue;
    const float z = 0.0193339f * red + 0.1191920f * green + 0.9503041f * blue;
    const float fx = lab_f(x / 0.95047f), fy = lab_f(y), fz = lab_f(z / 1.08883f);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Linear linear_from_lab(const Lab& lab) {
    const float fy = (lab.L + 16) / 116;
    const float x = 0.95047f * lab_f_inverse(fy + lab.a / 500);
    const float y = lab_f_inverse(fy);
    const float z = 1.08883f * lab_f_inverse(fy - lab.b / 200);
    return {3.2404542f * x - 1.5371385f * y - 0.4985314f * z,
            -0.9692660f * x + 1.8760108f * y + 0.0415560f * z,
            0.0556434f * x - 0.2040259f * y + 1.0572252f * z};
}

Lab lab_from_rgb(unsigned red, unsigned green, unsigned blue) {
    return lab_from_linear(linear_from_srgb(red), linear_from_srgb(green), linear_from_srgb(blue));
}

const LabPalette& lab_palette(PaletteId id) {
    static const std::array<LabPalette, kKnownPalettes.size()> labs = {
        make_lab_palette(PaletteId::Vexlor), make_lab_palette(PaletteId::Pepto),
        make_lab_palette(PaletteId::Colodore), make_lab_palette(PaletteId::ViceColodore)};
    return labs[std::size_t(id)];
}

int nearest_color(const Lab& color, const LabPalette& colors) {
    return nearest_color(with_chroma(color), with_chroma(colors));
}
