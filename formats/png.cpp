// PNG images of the picture, drawn as the picture's `rendering` says (c64/render.h); Import reads
// them, with other images, as the image row does.
#include "formats/png.h"
#include "formats/image_file.h"
#include "formats/rows.h"
#include <QBuffer>

std::vector<std::uint8_t> encode_png(const RgbImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    to_qimage(image).save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

namespace {

class PngFormat : public FileFormat {
public:
    using FileFormat::FileFormat;
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        return encode_png(render_picture(picture.pixels, picture.rendering));
    }
};

} // namespace

const FileFormat& png_format() {
    static const PngFormat format({.name = "PNG",
                                   .extensions = {"png"},
                                   .offered = {Command::ExportPng},
                                   .filter_name = "PNG images",
                                   .holds = Holds::Image});
    return format;
}
