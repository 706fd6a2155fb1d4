#pragma once
#include "colour/palettes.h"
#include <array>
#include <cmath>
#include <cstdint>

// CIELAB (D65 white): colour differences measured here match what the eye sees far better
// than distances between RGB values.
struct Lab {
    float L = 0, a = 0, b = 0;
};

// 0..255 sRGB component to linear light, 0..1.
float linear_from_srgb(unsigned component);
// Linear light, 0..1, back to the nearest 0..255 sRGB component.
std::uint8_t srgb_from_linear(float linear);

Lab lab_from_linear(float red, float green, float blue);
// A colour in linear light (0..1 a component), where colours mix as light does.
struct Linear {
    float r = 0, g = 0, b = 0;
};
Linear linear_from_lab(const Lab& lab);
Lab lab_from_rgb(unsigned red, unsigned green, unsigned blue);
inline Lab lab_from_color(TColor color) {
    return lab_from_rgb(RedOf(color), GreenOf(color), BlueOf(color));
}

inline float delta_e_squared(const Lab& x, const Lab& y) {
    const float dL = x.L - y.L, da = x.a - y.a, db = x.b - y.b;
    return dL * dL + da * da + db * db;
}
// The CIE 1976 colour difference; about 2.3 is the smallest difference most people notice.
inline float delta_e(const Lab& x, const Lab& y) { return std::sqrt(delta_e_squared(x, y)); }

using LabPalette = std::array<Lab, 16>;
const LabPalette& lab_palette(PaletteId id);

// The entry of `colors` that looks nearest to `color` (CIEDE2000, see color_difference.h).
int nearest_color(const Lab& color, const LabPalette& colors);
