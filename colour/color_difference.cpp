#include "colour/color_difference.h"
#include <algorithm>
#include <cmath>

// CIEDE2000 is written here without angles where it can be: the hue difference comes from
// the chroma vectors, the mean hue as the bisector of the two hue directions, and its cosines
// by multiple-angle formulas. Only blue hues, where the rotation term counts, need an angle.

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegree = kPi / 180;
constexpr float k25Pow7 = 6103515625.0f;

float pow7(float x) {
    const float x2 = x * x;
    return x2 * x2 * x2 * x;
}

// sqrt(C^7 / (C^7 + 25^7)): how strongly a mean chroma C counts as coloured.
float colourfulness(float chroma) {
    const float c7 = pow7(chroma);
    return std::sqrt(c7 / (c7 + k25Pow7));
}

// A smooth function of one variable, tabulated over [low, high) and read by linear
// interpolation; outside the range it takes the nearest end's value.
class Tabulated {
public:
    template <class F> Tabulated(float low, float high, F f) : low_(low) {
        const float step = (high - low) / (kSize - 1);
        per_step_ = 1 / step;
        for (int i = 0; i < kSize; ++i) values_[i] = f(low + float(i) * step);
    }
    float operator()(float x) const {
        const float position = std::clamp((x - low_) * per_step_, 0.0f, float(kSize - 1) - 0.001f);
        const int i = int(position);
        const float part = position - float(i);
        return values_[i] + part * (values_[i + 1] - values_[i]);
    }

private:
    static constexpr int kSize = 1024;
    float low_, per_step_;
    std::array<float, kSize> values_;
};

// 1 + G: how much a* is stretched, so that greys and near greys are told apart by hue less.
const Tabulated a_stretch(0, 256, [](float c) { return 1.5f - 0.5f * colourfulness(c); });

// R_C, the rotation's strength at a mean chroma.
const Tabulated rotation_strength(0, 256, [](float c) { return 2 * colourfulness(c); });

// 1 / S_L: lightness differences count less away from mid grey.
const Tabulated lightness_weight(-50, 150, [](float l) {
    const float d2 = (l - 50) * (l - 50);
    return 1 / (1 + 0.015f * d2 / std::sqrt(20 + d2));
});

// What the mean hue does to the hue weight (T) and to the rotation between chroma and hue
// differences (-sin(2 delta theta), to be scaled by R_C).
struct HueTerms {
    float t = 1, rotation = 0;
};

HueTerms hue_terms_at(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    const float c2 = c * c - s * s, s2 = 2 * c * s;
    const float c3 = c * c2 - s * s2, s3 = s * c2 + c * s2;
    const float c4 = c2 * c2 - s2 * s2, s4 = 2 * c2 * s2;
    constexpr float cos30 = 0.8660254f, sin30 = 0.5f;
    constexpr float cos6 = 0.9945219f, sin6 = 0.1045285f;
    constexpr float cos63 = 0.4539905f, sin63 = 0.8910065f;
    HueTerms terms;
    terms.t = 1 - 0.17f * (c * cos30 + s * sin30) + 0.24f * c2 + 0.32f * (c3 * cos6 - s3 * sin6) -
              0.20f * (c4 * cos63 + s4 * sin63);
    float degrees = angle / kDegree;
    if (degrees < 0) degrees += 360;
    const float off = (degrees - 275) / 25;
    terms.rotation = -std::sin(2 * 30 * kDegree * std::exp(-off * off));
    return terms;
}

// An angle-like measure of a direction, from 0 at +a* through 1 at +b*, 2 and 3 to 4: a
// division instead of an arc tangent, and independent of the vector's length.
float diamond_angle(float x, float y) {
    if (y >= 0) return x >= 0 ? y / (x + y) : 1 - x / (y - x);
    return x < 0 ? 2 - y / (-x - y) : 3 + x / (x - y);
}

// The direction at a diamond angle, as an angle in radians.
float angle_of_diamond(float d) {
    const int quarter = std::min(int(d), 3);
    const float q = d - float(quarter);
    const float x[4] = {1 - q, -q, q - 1, q}, y[4] = {q, 1 - q, -q, q - 1};
    return std::atan2(y[quarter], x[quarter]);
}

// The hue terms of the direction (x, y), tabulated by diamond angle.
const Tabulated hue_weight(0, 4, [](float d) { return hue_terms_at(angle_of_diamond(d)).t; });
const Tabulated hue_rotation(0, 4,
                             [](float d) { return hue_terms_at(angle_of_diamond(d)).rotation; });

HueTerms hue_terms(float x, float y) {
    const float d = diamond_angle(x, y);
    return {hue_weight(d), hue_rotation(d)};
}

// The hue angle, 0 to 2 pi.
float hue_angle(float a, float b) {
    const float h = std::atan2(b, a);
    return h < 0 ? h + 2 * kPi : h;
}

} // namespace

LabC with_chroma(const Lab& color) {
    return {color, std::sqrt(color.a * color.a + color.b * color.b)};
}

LabCPalette with_chroma(const LabPalette& colors) {
    LabCPalette prepared;
    for (std::size_t i = 0; i < colors.size(); ++i) prepared[i] = with_chroma(colors[i]);
    return prepared;
}

float color_difference(const LabC& x, const LabC& y) {
    const float stretch = a_stretch(0.5f * (x.chroma + y.chroma));
    const float a1 = x.lab.a * stretch, b1 = x.lab.b, a2 = y.lab.a * stretch, b2 = y.lab.b;
    const float c1 = std::sqrt(a1 * a1 + b1 * b1), c2 = std::sqrt(a2 * a2 + b2 * b2);
    const float dL = y.lab.L - x.lab.L, dC = c2 - c1;
    // |dH|^2 = 2 (C1 C2 - a1 a2 - b1 b2); its sign is that of the turn from hue 1 to hue 2.
    const float dH2 = std::max(0.0f, 2 * (c1 * c2 - a1 * a2 - b1 * b2));
    const float mean_chroma = 0.5f * (c1 + c2);
    // The mean hue: the bisector of the smaller angle between the hues (the sum of the unit
    // vectors, here scaled by C1 C2); a grey adds no hue. Opposite hues, whose sum vanishes,
    // take the lower hue plus 90 degrees.
    float hx = a1 + a2, hy = b1 + b2;
    if (c1 > 0 && c2 > 0) hx = a1 * c2 + a2 * c1, hy = b1 * c2 + b2 * c1;
    float length2 = hx * hx + hy * hy;
    if (length2 <= 1e-12f * c1 * c1 * c2 * c2 && c1 > 0 && c2 > 0) {
        const float turn = hue_angle(a1, b1) < hue_angle(a2, b2) ? 1.0f : -1.0f;
        hx = -turn * b1, hy = turn * a1, length2 = c1 * c1;
    }
    HueTerms hue;
    if (length2 > 0) hue = hue_terms(hx, hy);
    const float l = dL * lightness_weight(0.5f * (x.lab.L + y.lab.L));
    const float sC = 1 + 0.045f * mean_chroma, sH = 1 + 0.015f * mean_chroma * hue.t;
    const float rotation = hue.rotation * rotation_strength(mean_chroma);
    // (dC/S_C)^2 + (dH/S_H)^2 + R_T (dC/S_C)(dH/S_H), over one division.
    float chroma_hue = dC * dC * sH * sH + dH2 * sC * sC;
    if (rotation < -1e-4f)
        chroma_hue += rotation * dC * sC * sH * std::copysign(std::sqrt(dH2), a1 * b2 - b1 * a2);
    return std::sqrt(std::max(0.0f, l * l + chroma_hue / (sC * sC * sH * sH)));
}

float color_difference(const Lab& x, const Lab& y) {
    return color_difference(with_chroma(x), with_chroma(y));
}

int nearest_color(const LabC& color, const LabCPalette& colors) {
    int best = 0;
    float least = color_difference(color, colors[0]);
    for (int i = 1; i < int(colors.size()); ++i) {
        const float difference = color_difference(color, colors[i]);
        if (difference < least) best = i, least = difference;
    }
    return best;
}
