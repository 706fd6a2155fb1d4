#pragma once
#include "c64/multicolor.h"
#include "colour/rgb_image.h"
#include "picture/picture.h"
#include "platform/common_dialogs.h"
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

// What a file that Import reads holds: a picture in one of the C64 formats of the table
// (formats/format_table.h), recognised by its content, taken as it is with its background (a
// Vexlor index) and the mode it brings; or an image to convert; or, in `error`, why neither
// ("it cannot be opened", "10017 bytes loading at $2000: an Advanced Art Studio picture takes
// 10018").
struct ImportSource {
    std::optional<PictureBytes> picture;
    std::uint8_t background = 0;
    std::uint8_t format = fmtMulticolor; // a PictureFormat
    RgbImage image;                      // the working copy (see read_image)
    QString error;
    QSize decoded_size; // the image's own size
};
ImportSource read_import_source(const QString& path);

// Brings the file in: a C64 picture as it is, switching `format` to Multicolor or FLI;
// any other image through the conversion dialog, which offers the `format` in use first and
// may switch it. The 32000
// picture bytes, the background (the file's, or the one the conversion chose) and `format` are
// written only when the import succeeds: true then; false, with all three untouched, when the
// user cancels or the file is refused (with a message naming the file and the reason).
bool import_picture_file(const QString& path, std::uint8_t* picture, std::uint8_t& background,
                         std::uint8_t& format);

// Picture > Import: asks for a file (the dialog's filter is set here) and brings it in as above.
bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background,
                    std::uint8_t& format);
