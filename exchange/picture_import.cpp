#include "exchange/picture_import.h"
#include "c64/koala.h"
#include "c64/palettes.h"
#include "exchange/image_file.h"
#include "exchange/import_dialog.h"
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

// The entries show their names only, so these names carry their patterns.
const QString kImportFilter =
    QStringLiteral("C64 pictures (*.koa *.kla *.gg)|*.koa;*.kla;*.gg|"
                   "Images (*.png *.gif *.bmp *.jpg *.jpeg)|*.png;*.gif;*.bmp;*.jpg;*.jpeg|"
                   "All Files (*.*)|*.*");

// What a file holds: a picture to take as it is, or an image to convert, or why neither.
struct Source {
    std::optional<PictureBytes> picture;
    std::uint8_t background = 0;
    RgbImage image;
    QString error;
};

Source refusal(QString why) {
    Source source;
    source.error = std::move(why);
    return source;
}

Source picture_from_koala(std::span<const std::uint8_t> bytes, KoalaPacking packing) {
    const KoalaRead read = read_koala(bytes, packing);
    if (!read.image) return refusal(QString::fromStdString(read.error));
    PictureBytes picture;
    decode_multicolor(*read.image, picture.data());
    return {picture, vexlor_color_index(read.image->background), {}, {}};
}

Source read_source(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refusal(QStringLiteral("it cannot be opened"));
    const QByteArray head = file.read(qint64(kKoalaMaxFileBytes) + 1);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(head.data()),
                                              std::size_t(head.size()));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "gg") return picture_from_koala(bytes, KoalaPacking::RunLength);
    if (suffix == "koa" || suffix == "kla" || looks_like_koala(bytes))
        return picture_from_koala(bytes, KoalaPacking::Plain);
    file.seek(0);
    ImageRead read = read_image(file);
    Source source = refusal(read.error);
    source.image = std::move(read.image);
    return source;
}

} // namespace

bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background) {
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
        ImportDialog options(std::move(source.image), QApplication::activeWindow());
        if (options.exec() != QDialog::Accepted) return false;
        source.picture = options.conversion().picture;
        source.background = options.conversion().background;
    }
    std::copy(source.picture->begin(), source.picture->end(), picture);
    background = source.background;
    return true;
}
