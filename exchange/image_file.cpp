#include "exchange/image_file.h"
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

RgbImage rgb_from(const QImage& decoded) {
    // Premultiplied colours are the colours laid over black.
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RgbImage rgb{image.width(), image.height(),
                 std::vector<std::uint8_t>(std::size_t(image.width()) * image.height() * 3)};
    std::uint8_t* out = rgb.rgb.data();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *out++ = std::uint8_t(qRed(line[x]));
            *out++ = std::uint8_t(qGreen(line[x]));
            *out++ = std::uint8_t(qBlue(line[x]));
        }
    }
    return rgb;
}

// Qt's GIF reader reports the first frame's size but decodes onto the whole logical screen,
// whose size only the file's header tells.
QSize gif_screen_size(QIODevice& device) {
    const QByteArray head = device.peek(10);
    if (head.size() < 10 || !head.startsWith("GIF8")) return {};
    return {std::uint8_t(head[6]) | std::uint8_t(head[7]) << 8,
            std::uint8_t(head[8]) | std::uint8_t(head[9]) << 8};
}

QString too_large(QSize size, int max_side) {
    return QStringLiteral("it is %1 × %2 pixels; images up to %3 × %3 can be imported")
        .arg(size.width())
        .arg(size.height())
        .arg(max_side);
}

bool fits(QSize size, int max_side) {
    return size.width() <= max_side && size.height() <= max_side;
}

} // namespace

ImageRead read_image(QIODevice& device, int max_side) {
    const QSize screen = gif_screen_size(device);
    QImageReader reader(&device);
    if (!reader.canRead()) return {{}, QStringLiteral("it is not an image Vexlor can read")};
    const QSize size = reader.size().expandedTo(screen);
    if (!size.isValid()) return {{}, QStringLiteral("its size cannot be read from it")};
    if (!fits(size, max_side)) return {{}, too_large(size, max_side)};
    // Room for the largest image allowed, 4 bytes a pixel, in MiB; never more.
    reader.setAllocationLimit(int((qint64(max_side) * max_side * 4 >> 20) + 1));
    const QImage image = reader.read();
    if (image.isNull())
        return {{}, QStringLiteral("it cannot be decoded (%1)").arg(reader.errorString())};
    if (!fits(image.size(), max_side)) return {{}, too_large(image.size(), max_side)};
    return {rgb_from(image), {}};
}

ImageRead read_image_file(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("it cannot be opened")};
    return read_image(file);
}

QImage to_qimage(const RgbImage& image) {
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                  QImage::Format_RGB888)
        .copy();
}
