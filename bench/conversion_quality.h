#pragma once
#include "conversion/convert.h"

// How a conversion looks: the mean CIEDE2000 difference between the picture and the image it
// was made from, pixel by pixel, and after both are blurred (a Gaussian of sigma 1.5 screen
// pixels, in linear light), which is how a dither reads from a viewing distance. Both are
// taken over the image's area on the 320 x 200 screen, in the columns a C64 shows in FLI, so
// that every mode is measured on the same pixels.
struct Quality {
    double plain = 0, blurred = 0;
};
Quality conversion_quality(const PictureTarget& target, const std::uint8_t* picture,
                           const LabPalette& colors);

// The image converted with `options`, measured; and the floor, each pixel of the mode's shape
// its nearest colour.
struct QualityFigures {
    Quality converted, floor;
};
QualityFigures measure_quality(const RgbImage& image, const ConversionOptions& options);
