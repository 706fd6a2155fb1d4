#pragma once
#include "colour/rgb_image.h"
#include "conversion/adjust.h"
#include <QImage>
#include <QString>

class QIODevice;

// Images larger than this either way are refused before they are decoded.
constexpr int kMaxImageSide = 8192;

// The largest image a reader takes, and what a larger one is told: "images up to 8192 × 8192
// can be imported".
struct ImageLimit {
    QSize largest;
    QString what_fits;
};
// Import's limit; the same words for another side (the fuzz targets take a smaller one).
ImageLimit import_limit(int side = kMaxImageSide);

// An image decoded with Qt's readers (PNG, GIF, BMP, JPEG, ...), or in `error` why it was not
// ("it is 9000 × 120 pixels; images up to ..."). Transparent parts come out black, the picture's
// background. `image` is the working copy that conversion takes (see reduce_for_picture), at
// most 640 x 400; `decoded_size` the size the image really has, and `decoded` the image
// itself, from which a working copy can be made anew with adjustments (see working_copy).
struct ImageRead {
    RgbImage image;
    QString error;
    QSize decoded_size;
    QImage decoded;
};

// The working copy of a decoded image as `adjustments` make it (see adjusted_working_copy),
// converted a row at a time so that the decoded image is the only full-size copy ever held.
// Premultiplied colours are the colours laid over black.
RgbImage working_copy(const QImage& decoded, const ImageAdjustments& adjustments = {});

// The size is read from the header and checked before anything is decoded; decoding then takes
// at most the image at its depth (up to 8 bytes a pixel, 512 MiB for the largest), and nothing
// else of its size is made.
ImageRead read_image(QIODevice& device, const ImageLimit& limit = import_limit());
// The same for a file, opened as open_for_reading opens it ("it cannot be opened (Is a
// directory)").
ImageRead read_image_file(const QString& path, const ImageLimit& limit = import_limit());

// Whether the bytes of an image in `format` (as Qt names it: "gif", "jpeg") hold all of it, read
// from the start of the device; Qt's GIF and JPEG readers give what a cut file holds, the rest
// black. True for the other formats, whose readers refuse such a file themselves.
bool holds_whole_image(QIODevice& device, const QByteArray& format);

// The image as Qt's image, for showing and for writing.
QImage to_qimage(const RgbImage& image);
