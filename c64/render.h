#pragma once
#include "colour/palettes.h"
#include "colour/rgb_image.h"
#include "geometry/geometry.h"
#include <cstdint>

// How a picture becomes an ordinary image: each picture pixel two image pixels wide (320 x 200,
// as a C64 shows it) or one (160 x 200), then every image pixel `scale` x `scale` (1..4). As a
// PAL display, each of the 320 screen pixels of a line in the colour a PAL television shows
// there (colour/pal_display.h), whatever `double_width` says. A hires picture (320 x 200
// single-width pixels) is always 320 wide: each of its pixels is one screen pixel.
struct RenderOptions {
    bool double_width = true;
    int scale = 1;
    PaletteId palette = PaletteId::Vexlor;
    bool pal = false;
    bool hires = false;
};

// The picture's grid is 320 x 200 in hires, 160 x 200 otherwise; another is refused.
RgbImage render_picture(ConstPixelGrid picture, const RenderOptions& options);

// The size of the image render_picture makes.
int rendered_width(const RenderOptions& options);
int rendered_height(const RenderOptions& options);
