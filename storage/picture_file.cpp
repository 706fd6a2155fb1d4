#include "storage/picture_file.h"
#include "formats/format_table.h"
#include "platform/common_dialogs.h"

bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    const QString reason = write_file_atomically(path, bytes);
    if (!reason.isEmpty())
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("The picture could not be saved to \"%1\".\n\n%2").arg(path, reason));
    return reason.isEmpty();
}

// Save writes the one format the table offers it: Vexlor's own.
bool save_picture_file(const QString& path, const std::uint8_t* picture) {
    const FileFormat& format = *formats_offered(Command::Save).front();
    return save_file_atomically(path, format.write({.pixels = picture}));
}

QString picture_file_filter() { return QString::fromStdString(dialog_filter(Command::Open)); }
