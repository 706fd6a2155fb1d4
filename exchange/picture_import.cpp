#include "exchange/picture_import.h"
#include "display/displayed_palette.h"
#include "exchange/import_dialog.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "modes/mode.h"
#include "selection/block_exchange.h"
#include <QApplication>
#include <algorithm>

namespace {

// A refusal is named in a message that says what was tried.
void tell_refused(const QString& path, const char* refused, const QString& why) {
    ShowErrorMessage(QStringLiteral("Vexlor"),
                     QStringLiteral("\"%1\" %2: %3.").arg(path, QString::fromUtf8(refused), why));
}

// The file as Import reads it.
ImportSource read_source(const QString& path, const char* refused) {
    ImportSource source = read_import_source(path);
    if (!source.error.isEmpty()) tell_refused(path, refused, source.error);
    return source;
}

// A brush is at most the picture, whose pixels an image shows as wide as they show.
ImageLimit brush_limit(const PictureShape& picture) {
    const QSize largest(picture.pixel_aspect * picture.width, picture.height);
    return {largest, QStringLiteral("images up to %1 × %2 can become a brush")
                         .arg(largest.width())
                         .arg(largest.height())};
}

void set_import_filter(TOpenDialog& dialog) {
    dialog.Filter = QString::fromStdString(dialog_filter(Command::Import));
}

} // namespace

bool import_picture_file(const QString& path, PixelGrid storage, std::uint8_t& background,
                         std::uint8_t& format, const FileFormat** read_as) {
    require_size(storage, kWidestColumns, kPictureRows, "import_picture_file");
    ImportSource source = read_source(path, "cannot be imported");
    if (!source.error.isEmpty()) return false;
    if (!source.picture) {
        ImportDialog options(std::move(source.image), source.decoded_size, PictureFormat(format),
                             QApplication::activeWindow(), std::move(source.decoded));
        if (options.exec() != QDialog::Accepted) return false;
        const StoredPicture& converted = options.conversion().picture;
        source.picture.emplace();
        std::copy(converted.begin(), converted.end(), source.picture->begin());
        source.background = options.conversion().background;
        source.format = options.format();
    }
    std::copy(source.picture->begin(), source.picture->end(), storage.pixels);
    background = source.background;
    format = source.format;
    if (read_as) *read_as = source.read_as;
    return true;
}

// The entries show their names only, so these names carry their patterns.
bool import_picture(TOpenDialog& dialog, PixelGrid storage, std::uint8_t& background,
                    std::uint8_t& format) {
    set_import_filter(dialog);
    return dialog.Execute() &&
           import_picture_file(dialog.GetFileName(), storage, background, format);
}

std::optional<ReferenceImage> read_reference_image(const QString& path, std::uint8_t format) {
    ImportSource source = read_source(path, "cannot be used as a reference image");
    if (!source.error.isEmpty()) return std::nullopt;
    if (source.picture)
        return reference_from_picture(*source.picture, mode_of(source.format).shape.width,
                                      shown_colors());
    ImportDialog options(std::move(source.image), source.decoded_size, PictureFormat(format),
                         QApplication::activeWindow(), std::move(source.decoded));
    if (options.exec() != QDialog::Accepted) return std::nullopt;
    return reference_from_image(options.adjusted_image(), options.adjustments().place);
}

std::optional<ReferenceImage> ask_reference_image(TOpenDialog& dialog, std::uint8_t format) {
    set_import_filter(dialog);
    if (!dialog.Execute()) return std::nullopt;
    return read_reference_image(dialog.GetFileName(), format);
}

std::optional<PixelBlock> read_brush_image(const QString& path, const PictureShape& picture) {
    const ImageRead read = read_image_file(path, brush_limit(picture));
    if (!read.error.isEmpty()) {
        tell_refused(path, "cannot be loaded as a brush", read.error);
        return std::nullopt;
    }
    return block_from_image(read.image, shown_lab_palette(), picture);
}
