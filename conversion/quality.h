#pragma once
#include "conversion/convert.h"
#include <vector>

// How a conversion looks: the mean CIEDE2000 difference between the picture and the image it
// was made from, pixel by pixel, and after both are blurred (a Gaussian of kViewingBlur screen
// pixels, in linear light), which is how a dither reads from a viewing distance. Both are
// taken over the image's area on the 320 x 200 screen, in the columns a C64 shows in FLI, so
// that every mode is measured on the same pixels. The picture is `target.columns` x 200; another
// is refused.
struct Quality {
    double plain = 0, blurred = 0;
};
Quality conversion_quality(const PictureTarget& target, ConstPixelGrid picture,
                           const LabPalette& colors);

// The blur's sigma in screen pixels: how far from the screen the picture is looked at.
constexpr float kViewingBlur = 1.5f;

// The weights of a Gaussian of `sigma`, normalised, from -radius to radius.
std::vector<float> gaussian_kernel(float sigma);

// The image converted with `options`, measured; the floor, each pixel of the mode's shape its
// nearest colour; and Floyd-Steinberg in that shape with no limit to a cell.
struct QualityFigures {
    Quality converted, floor, unlimited;
};
QualityFigures measure_quality(const RgbImage& image, const ConversionOptions& options);
