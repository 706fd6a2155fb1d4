#include "edit/clipboard.h"
#include "display/displayed_palette.h"
#include "formats/image_file.h"
#include "selection/block_exchange.h"
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QImage shown_image(const PixelBlock& block, const PictureShape& picture) {
    const int aspect = picture.pixel_aspect;
    QImage image(aspect * block.width, block.height, QImage::Format_RGB32);
    for (int row = 0; row < block.height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < block.width; ++column)
            std::fill_n(line + aspect * column, aspect,
                        SurfaceWord(palette_color(block.at(column, row))));
    }
    return image;
}

QMimeData* block_mime_data(const PixelBlock& block, const PictureShape& picture) {
    auto* data = new QMimeData;
    data->setImageData(shown_image(block, picture));
    const std::vector<std::uint8_t> bytes = encode_block(block);
    data->setData(kPixelsMimeType,
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    return data;
}

namespace {

// The part of an image that can land on the picture (pixels shown wide reach as far as they
// show), as colours laid over black where it is transparent.
RgbImage landing_part(const QImage& image, const PictureShape& picture) {
    const QImage part =
        image
            .copy(0, 0, std::min(image.width(), picture.pixel_aspect * picture.width),
                  std::min(image.height(), picture.height))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RgbImage rgb{part.width(), part.height(), {}};
    rgb.rgb.reserve(std::size_t(part.width()) * std::size_t(part.height()) * 3);
    for (int y = 0; y < part.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(part.constScanLine(y));
        for (int x = 0; x < part.width(); ++x)
            rgb.rgb.insert(rgb.rgb.end(),
                           {std::uint8_t(qRed(line[x])), std::uint8_t(qGreen(line[x])),
                            std::uint8_t(qBlue(line[x]))});
    }
    return rgb;
}

// An image that another program offers as a GIF or a JPEG cut short: Qt would give what it
// holds, the rest black.
bool offers_cut_image(const QMimeData& data) {
    for (const QByteArray format : {"gif", "jpeg"}) {
        const QString type = QStringLiteral("image/") + QString::fromLatin1(format);
        if (!data.hasFormat(type)) continue;
        QBuffer bytes;
        bytes.setData(data.data(type));
        bytes.open(QIODevice::ReadOnly);
        if (!holds_whole_image(bytes, format)) return true;
    }
    return false;
}

} // namespace

std::optional<PixelBlock> block_from_mime(const QMimeData& data, const PictureShape& picture) {
    if (data.hasFormat(kPixelsMimeType)) {
        const QByteArray bytes = data.data(kPixelsMimeType);
        if (auto block = decode_block({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       std::size_t(bytes.size())},
                                      picture))
            return block;
    }
    if (!data.hasImage() || offers_cut_image(data)) return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data.imageData());
    if (image.isNull()) return std::nullopt;
    return block_from_qimage(image, picture);
}

PixelBlock block_from_qimage(const QImage& image, const PictureShape& picture) {
    return block_from_image(landing_part(image, picture), shown_lab_palette(), picture);
}

void copy_to_clipboard(const PixelBlock& block, const PictureShape& picture) {
    QGuiApplication::clipboard()->setMimeData(block_mime_data(block, picture));
}

std::optional<PixelBlock> block_from_clipboard(const PictureShape& picture) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return std::nullopt;
    return block_from_mime(*data, picture);
}
