#pragma once
#include "c64/multicolor.h"
#include "colour/rgb_image.h"
#include "formats/file_format.h"
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

class QFile;

// Reading a file as Import takes it, as do a file named at start, a file dropped and the
// converter.

// What such a file holds: a picture in one of the C64 formats of the table
// (formats/format_table.h), recognised by its content, taken as it is with its background (a
// Vexlor index) and the mode it brings; or an image to convert; or, in `error`, why neither
// ("it cannot be opened", "10017 bytes loading at $2000: an Advanced Art Studio picture takes
// 10018").
struct ImportSource {
    std::optional<StoredPicture> picture; // as many pixels as its mode has
    const FileFormat* read_as = nullptr;  // the C64 picture format it was read as
    std::uint8_t background = 0;
    std::uint8_t format = fmtMulticolor; // a PictureFormat
    RgbImage image;                      // the working copy (see read_image)
    QString error;
    QSize decoded_size; // the image's own size
    QImage decoded;     // and the image itself
};
ImportSource read_import_source(const QString& path);

// Opens `file` on `path` for reading, as open_regular_file does (formats/regular_file.h): never
// waiting on a pipe or a device. Empty once open; else why not, in the system's words where it
// has them ("No such file or directory", "Is a directory", "Permission denied"), or "it is not
// a regular file".
QString open_for_reading(QFile& file, const QString& path);

// Why a file that could not be read was not, as open_for_reading says, or "it cannot be read".
QString unreadable_reason(const QString& path);

// "it is not a regular file": why a pipe, a device or a socket is neither read nor written.
QString not_a_regular_file();
