#pragma once
#include "colour/lab.h"
#include "colour/rgb_image.h"
#include <functional>
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

// The image laid onto the picture in the same place and shape, as colours to look at: each
// picture pixel the average, in linear light, of the image area it covers; black where the
// image does not lie.
struct PictureRgb {
    RgbImage image;                               // kPictureColumns x kPictureRows
    int left = 0, top = 0, width = 0, height = 0; // where the image lies
};
PictureRgb fit_rgb_to_picture(const RgbImage& image);

// Row `y` of an image as RGB triples, valid until the next call.
using RowReader = std::function<const std::uint8_t*(int y)>;

RowReader rows_of(const RgbImage& image);

// A working copy of an image, read row by row so that it is never held whole twice. An image
// up to 640 x 400 is copied as it is. A larger one is reduced to twice the size it takes on the
// screen, which fit_to_picture lays onto the picture in the same place and shape, each picture
// pixel covering whole pixels of the copy. With `keep_colors` (the image was drawn in a
// palette) the copy's pixels are picked from the image, else averaged in linear light.
RgbImage reduce_for_picture(int width, int height, const RowReader& row, bool keep_colors);
