#include "formats/file_reading.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "formats/regular_file.h"
#include "formats/rows.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <unistd.h>

namespace {

ImportSource refused(const QString& why) {
    ImportSource source;
    source.error = why;
    return source;
}

// Images carry a signature of their own; most C64 files have none but their load address.
bool is_image(QIODevice& device) {
    const QByteArray format = QImageReader::imageFormat(&device);
    device.seek(0);
    return !format.isEmpty() && image_format().has_extension(format.toStdString());
}

} // namespace

ImportSource read_import_source(const QString& path) {
    QFile file;
    if (const QString why = open_for_reading(file, path); !why.isEmpty())
        return refused(QStringLiteral("it cannot be opened (%1)").arg(why));
    QString not_c64; // why the file is no C64 picture, when it is taken for an image instead
    if (!is_image(file)) {
        const QByteArray head = file.read(qint64(longest_picture_file()) + 1);
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(head.data()), std::size_t(head.size()));
        const PictureFileRead read =
            read_picture_file(bytes, QFileInfo(path).suffix().toStdString());
        if (read.image) {
            const DecodedPicture decoded = decode_picture(*read.image);
            ImportSource source;
            source.picture = decoded.pixels;
            source.background = decoded.background;
            source.format = decoded.format;
            source.read_as = read.format;
            return source;
        }
        if (read.format) return refused(QString::fromStdString(read.error));
        not_c64 = QString::fromStdString(read.error) + QStringLiteral(", and ");
        file.seek(0);
    }
    ImageRead read = read_image(file);
    ImportSource source = refused(read.error.isEmpty() ? read.error : not_c64 + read.error);
    source.image = std::move(read.image);
    source.decoded_size = read.decoded_size;
    source.decoded = std::move(read.decoded);
    return source;
}

QString not_a_regular_file() { return QString::fromUtf8(kNotARegularFile); }

QString open_for_reading(QFile& file, const QString& path) {
    const OpenedFile opened = open_regular_file(QFile::encodeName(path).toStdString());
    if (opened.fd < 0) return QString::fromLocal8Bit(opened.why);
    if (file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return {};
    ::close(opened.fd);
    return file.errorString();
}

QString unreadable_reason(const QString& path) {
    QFile file;
    const QString why = open_for_reading(file, path);
    return why.isEmpty() ? QStringLiteral("it cannot be read") : why;
}
