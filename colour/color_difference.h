#pragma once
#include "colour/lab.h"

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

// The entry of `colors` that looks nearest to `color`.
int nearest_color(const LabC& color, const LabCPalette& colors);
