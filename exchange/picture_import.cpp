#include "exchange/picture_import.h"
#include "c64/fli_file.h"
#include "c64/koala.h"
#include "c64/palettes.h"
#include "exchange/image_file.h"
#include "exchange/import_dialog.h"
#include "storage/picture_file.h"
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

// The entries show their names only, so these names carry their patterns.
const QString kImportFilter =
    QStringLiteral("C64 pictures (*.koa *.kla *.gg *.bml *.fli *.fd2)|"
                   "*.koa;*.kla;*.gg;*.bml;*.fli;*.fd2|"
                   "Images (*.png *.gif *.bmp *.jpg *.jpeg)|*.png;*.gif;*.bmp;*.jpg;*.jpeg|"
                   "All Files (*.*)|*.*");

ImportSource refused(const QString& why) {
    ImportSource source;
    source.error = why;
    return source;
}

ImportSource picture_from_koala(std::span<const std::uint8_t> bytes, KoalaPacking packing) {
    const KoalaRead read = read_koala(bytes, packing);
    if (!read.image) return refused(QString::fromStdString(read.error));
    ImportSource source;
    source.picture.emplace();
    decode_multicolor(*read.image, source.picture->data());
    source.background = vexlor_color_index(read.image->background);
    return source;
}

// An FLI file may give each raster line a background of its own: the picture takes the one
// most lines show.
std::uint8_t most_common_background(const FliImage& image) {
    std::array<int, 16> lines{};
    for (std::uint8_t color : image.backgrounds) ++lines[color & 0x0F];
    return std::uint8_t(std::max_element(lines.begin(), lines.end()) - lines.begin());
}

ImportSource picture_from_fli(std::span<const std::uint8_t> bytes, FliFormat format) {
    const FliRead read = read_fli(bytes, format);
    if (!read.image) return refused(QString::fromStdString(read.error));
    ImportSource source;
    source.picture.emplace();
    decode_fli(*read.image, source.picture->data());
    source.background = vexlor_color_index(most_common_background(*read.image));
    source.format = fmtFli;
    return source;
}

// Images carry a signature of their own; a Koala file has none but its load address.
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
    ImportSource source = refused(read.error);
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
        source.format = format;
    }
    std::copy(source.picture->begin(), source.picture->end(), picture);
    background = source.background;
    format = source.format;
    return true;
}

bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background,
                    std::uint8_t& format) {
    dialog.Filter = kImportFilter;
    return dialog.Execute() &&
           import_picture_file(dialog.GetFileName(), picture, background, format);
}
