#pragma once
#include "c64/lab.h"
#include "c64/rgb_image.h"
#include <vector>

// What a conversion aims for: the image laid onto the 160 x 200 picture, one colour a pixel.
// A 160 x 200 image is taken pixel for pixel and a 320 x 200 one as pairs of screen pixels; any
// other size is scaled to fit the 320 x 200 screen (a picture pixel is two screen pixels wide)
// keeping its aspect, centred, on black.
struct PictureTarget {
    std::vector<Lab> pixels;                      // kPictureBytes, row by row
    int left = 0, top = 0, width = 0, height = 0; // where the image lies
    bool scaled = false;
};

// Without `drawn_in`, each picture pixel is the average, in linear light, of the image area it
// covers. With it (the image was drawn in those colours), it is the image pixel at the centre
// of that area, as that palette's nearest colour, so that no in-between colours appear.
PictureTarget fit_to_picture(const RgbImage& image, const LabPalette* drawn_in = nullptr);
