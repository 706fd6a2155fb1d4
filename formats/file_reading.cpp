#include "formats/file_reading.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "formats/rows.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("it cannot be opened (%1)").arg(unreadable_reason(path)));
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
    return source;
}

QString not_a_regular_file() { return QStringLiteral("it is not a regular file"); }

// The system's words where it has them ("No such file or directory", "Permission denied").
QString unreadable_reason(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) return QString::fromLocal8Bit(std::strerror(EISDIR));
    if (file.exists() && !file.isFile()) return not_a_regular_file();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return QStringLiteral("it cannot be read");
}
