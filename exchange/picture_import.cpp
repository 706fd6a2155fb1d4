#include "exchange/picture_import.h"
#include "exchange/import_dialog.h"
#include "formats/format_table.h"
#include <QApplication>
#include <algorithm>

bool import_picture_file(const QString& path, std::uint8_t* picture, std::uint8_t& background,
                         std::uint8_t& format, const FileFormat** read_as) {
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
    dialog.Filter = QString::fromStdString(dialog_filter(Command::Import));
    return dialog.Execute() &&
           import_picture_file(dialog.GetFileName(), picture, background, format);
}
