#include "exchange/picture_import.h"
#include "exchange/import_dialog.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "storage/picture_file.h"
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

// The entries show their names only, so these names carry their patterns.
QString import_filter() {
    QStringList patterns;
    for (const PictureCodec* codec : picture_codecs())
        for (std::string_view name : codec->usual_names())
            patterns << QStringLiteral("*.%1").arg(
                QLatin1String(name.data(), qsizetype(name.size())));
    patterns.removeDuplicates();
    return QStringLiteral("C64 pictures (%1)|%2|"
                          "Images (*.png *.gif *.bmp *.jpg *.jpeg)|*.png;*.gif;*.bmp;*.jpg;*.jpeg|"
                          "All Files (*.*)|*.*")
        .arg(patterns.join(' '), patterns.join(';'));
}

ImportSource refused(const QString& why) {
    ImportSource source;
    source.error = why;
    return source;
}

// Images carry a signature of their own; most C64 files have none but their load address.
bool is_image(QIODevice& device) {
    static const QList<QByteArray> imported{"png", "gif", "bmp", "jpeg"};
    const QByteArray format = QImageReader::imageFormat(&device);
    device.seek(0);
    return imported.contains(format);
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
            return source;
        }
        if (read.codec) return refused(QString::fromStdString(read.error));
        not_c64 = QString::fromStdString(read.error) + QStringLiteral(", and ");
        file.seek(0);
    }
    ImageRead read = read_image(file);
    ImportSource source = refused(read.error.isEmpty() ? read.error : not_c64 + read.error);
    source.image = std::move(read.image);
    source.decoded_size = read.decoded_size;
    return source;
}

bool import_picture_file(const QString& path, std::uint8_t* picture, std::uint8_t& background,
                         std::uint8_t& format) {
    ImportSource source = read_import_source(path);
    if (!source.error.isEmpty()) {
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("\"%1\" cannot be imported: %2.").arg(path, source.error));
        return false;
    }
    if (!source.picture) {
        ImportDialog options(std::move(source.image), source.decoded_size, PictureFormat(format),
                             QApplication::activeWindow());
        if (options.exec() != QDialog::Accepted) return false;
        source.picture = options.conversion().picture;
        source.background = options.conversion().background;
        source.format = options.format();
    }
    std::copy(source.picture->begin(), source.picture->end(), picture);
    background = source.background;
    format = source.format;
    return true;
}

bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background,
                    std::uint8_t& format) {
    dialog.Filter = import_filter();
    return dialog.Execute() &&
           import_picture_file(dialog.GetFileName(), picture, background, format);
}
