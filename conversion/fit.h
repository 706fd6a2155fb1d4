#pragma once
#include "c64/multicolor.h"
#include "colour/lab.h"
#include "colour/rgb_image.h"
#include "modes/picture_format.h"
#include "picture/picture.h"
#include <functional>
#include <optional>
#include <vector>

// What a conversion aims for: the image laid onto the picture of a mode, one colour a pixel.
// A 160 x 200 or 320 x 200 image fills the 320 x 200 screen: taken pixel for pixel where the
// picture has its size, else as pairs of screen pixels (multicolour) or each pixel doubled
// (hires). Any other size is scaled to fit the screen keeping its aspect, centred, on black.
struct PictureTarget {
    std::vector<Lab> pixels;                      // columns x 200, row by row
    int left = 0, top = 0, width = 0, height = 0; // where the image lies
    bool scaled = false;
    int columns = kPictureColumns; // the mode's width: 160, or 320 in hires

    // The picture made for this target, in its first `columns` x 200 pixels.
    ConstPixelGrid grid_of(const StoredPicture& picture) const {
        return grid_over(picture, columns, kPictureRows);
    }

    // Every mode has 40 cells to a row: 4 pixels wide, or 8 in hires.
    int cell_width() const { return columns / kCellColumns; }
    // The cell row (a cell's row of pixels) that holds the pixel, numbered as cell_row_of does.
    int cell_row_at(int column, int row) const {
        return row * kCellColumns + column / cell_width();
    }
};

// Without `drawn_in`, each picture pixel is the average, in linear light, of the image area it
// covers. With it (the image was drawn in those colours), it is the image pixel at the centre
// of that area, as that palette's nearest colour, so that no in-between colours appear. The
// picture has the shape of `format`'s mode. With `placed` (on the 320 x 200 screen, in its
// pixels), the image covers every picture pixel that the place reaches into, however large,
// and only the part within the picture is kept (left, top, width and height say which); it
// is not `scaled` to fit.
PictureTarget fit_to_picture(const RgbImage& image, const LabPalette* drawn_in = nullptr,
                             PictureFormat format = fmtMulticolor,
                             const std::optional<PixelArea>& placed = std::nullopt);

// The image laid onto the picture in the same place and shape, as colours to look at: each
// picture pixel the average, in linear light, of the image area it covers; black where the
// image does not lie.
struct PictureRgb {
    RgbImage image;                               // kPictureColumns x kPictureRows
    int left = 0, top = 0, width = 0, height = 0; // where the image lies
};
PictureRgb fit_rgb_to_picture(const RgbImage& image,
                              const std::optional<PixelArea>& placed = std::nullopt);

// Where an image of that size lies fitted, on the 320 x 200 screen in its pixels: placed
// there, it lies where it lies unplaced.
PixelArea fitted_place(int width, int height, const PictureShape& shape);

// Row `y` of an image as RGB triples, valid until the next call.
using RowReader = std::function<const std::uint8_t*(int y)>;

RowReader rows_of(const RgbImage& image);

// A working copy of an image, read row by row so that it is never held whole twice. An image
// up to 640 x 400 is copied as it is. A larger one is reduced to twice the size it takes on the
// screen, which fit_to_picture lays onto the picture in the same place and shape, each picture
// pixel covering whole pixels of the copy. With `keep_colors` (the image was drawn in a
// palette) the copy's pixels are picked from the image, else averaged in linear light. An image
// `placed` on the screen takes the place's size there: one up to twice that is copied as it is.
RgbImage reduce_for_picture(int width, int height, const RowReader& row, bool keep_colors,
                            const std::optional<PixelArea>& placed = std::nullopt);
