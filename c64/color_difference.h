#pragma once
#include "c64/lab.h"

// How different two colours look: CIEDE2000. Plain CIELAB distance (CIE76) overstates
// differences of strong colours and understates those of dark and of blue ones, so it turns a
// dark blue sky grey; CIEDE2000 corrects lightness, chroma and hue differences by where they
// lie, and for blues the rotation between chroma and hue, and is what colour-difference
// judgements are measured against.
float color_difference(const Lab& x, const Lab& y);

// A colour with its chroma worked out, so that comparing it with many others does that once.
struct LabC {
    Lab lab;
    float chroma = 0;
};
LabC with_chroma(const Lab& color);
float color_difference(const LabC& x, const LabC& y);

using LabCPalette = std::array<LabC, 16>;
LabCPalette with_chroma(const LabPalette& colors);

// CIEDE2000 near a colour, as a quadratic form of the CIELAB difference: its lightness, chroma
// and hue weights and the blue rotation taken at that colour. Exact as the difference goes to
// zero, it lets a mix of two colours be fitted in closed form (see mix.h).
struct LocalDifference {
    // The form's matrix, symmetric: m[i][j] weighs the L, a, b components i and j.
    std::array<std::array<float, 3>, 3> m{};
    float squared(const Lab& d) const {
        const float v[3] = {d.L, d.a, d.b};
        float sum = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) sum += v[i] * m[i][j] * v[j];
        return sum;
    }
    float dot(const Lab& x, const Lab& y) const {
        const float u[3] = {x.L, x.a, x.b}, v[3] = {y.L, y.a, y.b};
        float sum = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) sum += u[i] * m[i][j] * v[j];
        return sum;
    }
};
LocalDifference local_difference(const Lab& at);

// The entry of `colors` that looks nearest to `color`.
int nearest_color(const LabC& color, const LabCPalette& colors);
