#pragma once
#include "c64/rgb_image.h"
#include <QImage>
#include <QString>

class QIODevice;

// Images larger than this either way are refused before they are decoded.
constexpr int kMaxImageSide = 8192;

// An image decoded with Qt's readers (PNG, GIF, BMP, JPEG, ...), or in `error` why it was not
// ("it is 9000 x 120 pixels, ..."). Transparent parts come out black, the picture's
// background.
struct ImageRead {
    RgbImage image;
    QString error;
};

// The size is read from the header and checked before anything is decoded.
ImageRead read_image(QIODevice& device, int max_side = kMaxImageSide);
ImageRead read_image_file(const QString& path);

// The image as Qt's image, for showing and for writing.
QImage to_qimage(const RgbImage& image);
