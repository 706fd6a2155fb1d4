#include "storage/picture_file.h"
#include "formats/format_table.h"
#include "modes/mode.h"
#include "platform/common_dialogs.h"
#include <QFileInfo>

bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    const QString reason = write_file_atomically(path, bytes);
    if (!reason.isEmpty())
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("The picture could not be saved to \"%1\".\n\n%2").arg(path, reason));
    return reason.isEmpty();
}

bool write_anyway(const EncodedPicture& encoded, PictureFormat kind, const QString& go_on) {
    if (encoded.inexact == 0) return true;
    const Mode& mode = mode_of(kind);
    const QString parts = mode.colour_area.height == 1
                              ? QStringLiteral("rows of %1 pixels").arg(mode.colour_area.width)
                              : QStringLiteral("cells");
    return AskQuestion(QStringLiteral("Vexlor"),
                       QStringLiteral("%1 of the picture's %2 %3 hold more colours than a C64 can "
                                      "show there. Each keeps its most used colours, and its "
                                      "other pixels take the nearest of those.")
                           .arg(encoded.inexact)
                           .arg(encoded.parts)
                           .arg(parts),
                       go_on, QStringLiteral("Cancel"));
}

// A picture with sprites saved in a file that keeps only the bitmap loses them: the user says.
static bool sprites_may_go(const QString& path, const FileFormat& format) {
    return AskQuestion(
        QStringLiteral("Vexlor"),
        QStringLiteral("\"%1\" is %2, which keeps only the bitmap: the sprites "
                       "are not saved. Save anyway?")
            .arg(QFileInfo(path).fileName(), QString::fromStdString(format.a_picture())),
        QStringLiteral("Save anyway"), QStringLiteral("Cancel"));
}

bool save_picture_file(const QString& path, ConstPixelGrid picture, PictureFormat mode,
                       std::uint8_t background, const SpriteSet& sprites) {
    if (keeps_sprites(path))
        return save_file_atomically(path, saved_format(mode, true)
                                              .write({.pixels = picture,
                                                      .mode = mode,
                                                      .background = background,
                                                      .sprites = sprites}));
    const FileFormat& format = saved_format(mode);
    if (!sprites.sprites.empty() && !sprites_may_go(path, format)) return false;
    if (!format.kind()) return save_file_atomically(path, format.write({.pixels = picture}));
    EncodedPicture encoded = encode_picture(mode, picture, background);
    if (!write_anyway(encoded, mode, QStringLiteral("Save anyway"))) return false;
    return save_file_atomically(
        path, format.write({.pixels = picture, .encoded = std::move(encoded.image)}));
}

bool keeps_sprites(const QString& path) {
    const FileFormat* named = format_opened(QFileInfo(path).suffix().toStdString());
    return named && named->keeps_sprites();
}

QString named_for(const QString& path, const FileFormat& format) {
    const std::string_view extension = format.extensions().front();
    const QString suffix = QFileInfo(path).suffix();
    return (suffix.isEmpty() ? path + '.' : path.chopped(suffix.size())) +
           QString::fromLatin1(extension.data(), qsizetype(extension.size()));
}
