#include "formats/image_file.h"
#include "conversion/convert.h"
#include "formats/file_reading.h"
#include "formats/image_ends.h"
#include "formats/rows.h"
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <fcntl.h>
#include <unistd.h>

namespace {

// What decoding may take, in MiB: the image at the depth Qt decodes it to (16-bit PNGs take 8
// bytes a pixel), never less than 4 bytes a pixel, which GIFs are decoded at whatever they hold.
int decode_limit_mib(QSize size, QImage::Format format) {
    const int depth = format == QImage::Format_Invalid
                          ? 64
                          : std::max(32, int(QImage::toPixelFormat(format).bitsPerPixel()));
    return int((qint64(size.width()) * size.height() * depth / 8 >> 20) + 1);
}

// Qt's GIF reader reports the first frame's size but decodes onto the whole logical screen,
// whose size only the file's header tells.
QSize gif_screen_size(QIODevice& device) {
    const QByteArray head = device.peek(10);
    if (head.size() < 10 || !head.startsWith("GIF8")) return {};
    return {std::uint8_t(head[6]) | std::uint8_t(head[7]) << 8,
            std::uint8_t(head[8]) | std::uint8_t(head[9]) << 8};
}

QString too_large(QSize size, const ImageLimit& limit) {
    return QStringLiteral("it is %1 × %2 pixels; %3")
        .arg(size.width())
        .arg(size.height())
        .arg(limit.what_fits);
}

bool fits(QSize size, const ImageLimit& limit) {
    return size.width() <= limit.largest.width() && size.height() <= limit.largest.height();
}

ImageRead refused(const QString& why) { return {{}, why, {}, {}}; }

} // namespace

// Qt's GIF and JPEG readers give what a file cut short holds, the rest black, without a word.
bool holds_whole_image(QIODevice& device, const QByteArray& format) {
    if ((format != "gif" && format != "jpeg") || device.isSequential() || !device.seek(0))
        return true;
    return holds_whole_image(format == "gif" ? ImageKind::Gif : ImageKind::Jpeg,
                             [&](std::uint8_t* buffer, std::size_t size) {
                                 const qint64 got =
                                     device.read(reinterpret_cast<char*>(buffer), qint64(size));
                                 return got > 0 ? std::size_t(got) : 0;
                             });
}

namespace {

// While an image is read, what Qt's readers and the libraries under them would print about it
// is kept quiet: Qt's messages ("Premature end of JPEG file") and what libpng writes to the
// standard error itself ("libpng error: Read Error"). The caller says in its own words why an
// image was refused. Criticals and worse go on as before.
class QuietImageReaders {
public:
    QuietImageReaders() : error_output_(::dup(STDERR_FILENO)) {
        previous() = qInstallMessageHandler(pass_on);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) ::dup2(nowhere, STDERR_FILENO), ::close(nowhere);
    }
    ~QuietImageReaders() {
        if (error_output_ >= 0) ::dup2(error_output_, STDERR_FILENO), ::close(error_output_);
        qInstallMessageHandler(previous());
    }

private:
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void pass_on(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
        if (previous()) previous()(type, context, text);
    }

    int error_output_;
};

// Qt keeps one limit on what decoding may take for all its readers: an image read here sets its
// own, and every other image loaded afterwards (a PNG written, an icon) gets back the one before.
class DecodingLimit {
public:
    explicit DecodingLimit(int mib) : before_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(mib);
    }
    ~DecodingLimit() { QImageReader::setAllocationLimit(before_); }
    DecodingLimit(const DecodingLimit&) = delete;
    DecodingLimit& operator=(const DecodingLimit&) = delete;

private:
    int before_;
};

} // namespace

RgbImage working_copy(const QImage& decoded, const ImageAdjustments& adjustments) {
    std::vector<std::uint8_t> rgb(std::size_t(decoded.width()) * 3);
    const RowReader row = [&](int y) {
        const QImage line = decoded.copy(0, y, decoded.width(), 1)
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const auto* pixels = reinterpret_cast<const QRgb*>(line.constScanLine(0));
        for (int x = 0; x < decoded.width(); ++x) {
            rgb[3 * x] = std::uint8_t(qRed(pixels[x]));
            rgb[3 * x + 1] = std::uint8_t(qGreen(pixels[x]));
            rgb[3 * x + 2] = std::uint8_t(qBlue(pixels[x]));
        }
        return rgb.data();
    };
    return adjusted_working_copy(decoded.width(), decoded.height(), row, adjustments);
}

ImageLimit import_limit(int side) {
    return {{side, side}, QStringLiteral("images up to %1 × %1 can be imported").arg(side)};
}

ImageRead read_image(QIODevice& device, const ImageLimit& limit) {
    const QuietImageReaders quiet;
    const QSize screen = gif_screen_size(device);
    QImageReader reader(&device);
    if (!reader.canRead()) return refused(QStringLiteral("it is not an image Vexlor can read"));
    const QSize size = reader.size().expandedTo(screen);
    if (!size.isValid()) return refused(QStringLiteral("its size cannot be read from it"));
    if (!fits(size, limit)) return refused(too_large(size, limit));
    const DecodingLimit decoding(decode_limit_mib(size, reader.imageFormat()));
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull())
        return refused(QStringLiteral("it cannot be decoded (%1)").arg(reader.errorString()));
    if (!holds_whole_image(device, format))
        return refused(QStringLiteral("it ends before its image does"));
    if (!fits(image.size(), limit)) return refused(too_large(image.size(), limit));
    return {working_copy(image), {}, image.size(), image};
}

ImageRead read_image_file(const QString& path, const ImageLimit& limit) {
    QFile file;
    if (const QString why = open_for_reading(file, path); !why.isEmpty())
        return refused(QStringLiteral("it cannot be opened (%1)").arg(why));
    return read_image(file, limit);
}

QImage to_qimage(const RgbImage& image) {
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

// What Qt's readers read: Import converts it. Qt names the format by its signature; the usual
// names include each such name ("jpeg"), so that the signature is checked against them too.
const FileFormat& image_format() {
    static const FileFormat format({.name = "image",
                                    .extensions = {"png", "gif", "bmp", "jpg", "jpeg"},
                                    .offered = {Command::Import},
                                    .filter_name = "Images",
                                    .holds = Holds::Image});
    return format;
}
