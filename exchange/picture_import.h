#pragma once
#include "c64/multicolor.h"
#include "c64/rgb_image.h"
#include "platform/common_dialogs.h"
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

// What a file that Import reads holds: a Koala picture (.koa, .kla, packed .gg, or any file
// whose content is one), taken as it is with its background (a Vexlor index); or an image to
// convert; or, in `error`, why neither ("it cannot be opened").
struct ImportSource {
    std::optional<PictureBytes> picture;
    std::uint8_t background = 0;
    RgbImage image; // the working copy (see read_image)
    QString error;
    QSize decoded_size; // the image's own size
};
ImportSource read_import_source(const QString& path);

// Brings the file in: a Koala picture as it is, any other image through the conversion dialog.
// The 32000 picture bytes and the background (the Koala file's, or the one the conversion
// chose) are written only when the import succeeds: true then; false, with both untouched, when
// the user cancels or the file is refused (with a message naming the file and the reason).
bool import_picture_file(const QString& path, std::uint8_t* picture, std::uint8_t& background);

// Picture > Import: asks for a file (the dialog's filter is set here) and brings it in as above.
bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background);
