#include "exchange/picture_import.h"
#include "display/displayed_palette.h"
#include "exchange/import_dialog.h"
#include "formats/format_table.h"
#include "modes/mode.h"
#include <QApplication>
#include <algorithm>

namespace {

// The file as Import reads it; a refusal is named in a message that says what was tried.
ImportSource read_source(const QString& path, const char* refused) {
    ImportSource source = read_import_source(path);
    if (!source.error.isEmpty())
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("\"%1\" %2: %3.").arg(path, QString::fromUtf8(refused), source.error));
    return source;
}

void set_import_filter(TOpenDialog& dialog) {
    dialog.Filter = QString::fromStdString(dialog_filter(Command::Import));
}

} // namespace

bool import_picture_file(const QString& path, std::uint8_t* picture, std::uint8_t& background,
                         std::uint8_t& format, const FileFormat** read_as) {
    ImportSource source = read_source(path, "cannot be imported");
    if (!source.error.isEmpty()) return false;
    if (!source.picture) {
        ImportDialog options(std::move(source.image), source.decoded_size, PictureFormat(format),
                             QApplication::activeWindow());
        if (options.exec() != QDialog::Accepted) return false;
        const StoredPicture& converted = options.conversion().picture;
        source.picture.emplace();
        std::copy(converted.begin(), converted.end(), source.picture->begin());
        source.background = options.conversion().background;
        source.format = options.format();
    }
    std::copy(source.picture->begin(), source.picture->end(), picture);
    background = source.background;
    format = source.format;
    if (read_as) *read_as = source.read_as;
    return true;
}

// The entries show their names only, so these names carry their patterns.
bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background,
                    std::uint8_t& format) {
    set_import_filter(dialog);
    return dialog.Execute() &&
           import_picture_file(dialog.GetFileName(), picture, background, format);
}

std::optional<ReferenceImage> read_reference_image(const QString& path) {
    const ImportSource source = read_source(path, "cannot be used as a reference image");
    if (!source.error.isEmpty()) return std::nullopt;
    if (source.picture)
        return reference_from_picture(*source.picture, mode_of(source.format).shape.width,
                                      shown_colors());
    return reference_from_image(source.image);
}

std::optional<ReferenceImage> ask_reference_image(TOpenDialog& dialog) {
    set_import_filter(dialog);
    if (!dialog.Execute()) return std::nullopt;
    return read_reference_image(dialog.GetFileName());
}
