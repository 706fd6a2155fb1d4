#include "exchange/picture_import.h"
#include "c64/fli_file.h"
#include "c64/koala.h"
#include "exchange/image_file.h"
#include "exchange/import_dialog.h"
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <optional>

namespace {

// The entries show their names only, so these names carry their patterns.
const QString kImportFilter =
    QStringLiteral("C64 pictures (*.koa *.kla *.gg *.bml *.fli *.fd2)|"
                   "*.koa;*.kla;*.gg;*.bml;*.fli;*.fd2|"
                   "Images (*.png *.gif *.bmp *.jpg *.jpeg)|*.png;*.gif;*.bmp;*.jpg;*.jpeg|"
                   "All Files (*.*)|*.*");

// What a file holds: a picture to take as it is, or an image to convert, or why neither.
struct Source {
    std::optional<PictureBytes> picture;
    ImageRead image;
    QString error;
    std::uint8_t format = fmtMulticolor; // the mode a picture brings
};

Source picture_from_koala(std::span<const std::uint8_t> bytes, KoalaPacking packing) {
    const KoalaRead read = read_koala(bytes, packing);
    if (!read.image) return {{}, {}, QString::fromStdString(read.error)};
    PictureBytes picture;
    decode_multicolor(*read.image, picture.data());
    return {picture, {}, {}, fmtMulticolor};
}

Source picture_from_fli(std::span<const std::uint8_t> bytes, FliFormat format) {
    const FliRead read = read_fli(bytes, format);
    if (!read.image) return {{}, {}, QString::fromStdString(read.error)};
    PictureBytes picture;
    decode_fli(*read.image, picture.data());
    return {picture, {}, {}, fmtFli};
}

// Why a file cannot be read, in the system's words where it has them. Only a regular file is
// opened at all: a pipe or a device would keep the editor waiting.
QString unreadable_reason(const QString& path, const QFile& file) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("it cannot be opened (No such file or directory)");
    if (info.isDir()) return QStringLiteral("it cannot be opened (Is a directory)");
    if (!info.isFile()) return QStringLiteral("it cannot be opened: it is not a regular file");
    return QStringLiteral("it cannot be opened (%1)").arg(file.errorString());
}

// Images carry a signature of their own; a Koala file has none but its load address.
bool is_image(QIODevice& device) {
    static const QList<QByteArray> imported{"png", "gif", "bmp", "jpeg"};
    const QByteArray format = QImageReader::imageFormat(&device);
    device.seek(0);
    return imported.contains(format);
}

Source read_source(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {{}, {}, unreadable_reason(path, file)};
    if (!is_image(file)) {
        const QByteArray head =
            file.read(qint64(std::max(kKoalaMaxFileBytes, kFliMaxFileBytes)) + 1);
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(head.data()), std::size_t(head.size()));
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == "gg") return picture_from_koala(bytes, KoalaPacking::RunLength);
        if (suffix == "bml" || suffix == "fli") return picture_from_fli(bytes, FliFormat::Graph);
        if (suffix == "fd2") return picture_from_fli(bytes, FliFormat::Designer);
        if (suffix == "koa" || suffix == "kla" || looks_like_koala(bytes))
            return picture_from_koala(bytes, KoalaPacking::Plain);
    }
    ImageRead read = read_image(file);
    const QString error = read.error;
    return {{}, std::move(read), error};
}

} // namespace

bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& format) {
    dialog.Filter = kImportFilter;
    if (!dialog.Execute()) return false;
    const QString path = dialog.GetFileName();
    Source source = read_source(path);
    if (!source.error.isEmpty()) {
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("\"%1\" cannot be imported: %2.").arg(path, source.error));
        return false;
    }
    if (!source.picture) {
        ImportDialog options(std::move(source.image.image), source.image.decoded_size,
                             PictureFormat(format), QApplication::activeWindow());
        if (options.exec() != QDialog::Accepted) return false;
        source.picture = options.conversion().picture;
        source.format = format;
    }
    std::copy(source.picture->begin(), source.picture->end(), picture);
    format = source.format;
    return true;
}
