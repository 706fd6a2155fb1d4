#pragma once
#include "formats/file_reading.h"
#include "platform/common_dialogs.h"
#include "reference/reference_image.h"
#include "selection/block.h"
#include <QString>
#include <cstdint>
#include <optional>

// Brings the file in (see read_import_source): a C64 picture as it is, switching `format` to
// the mode that shows it; any other image through the conversion dialog, which offers the
// `format` in use first and may switch it. The picture's storage (kStorageBytes, as a grid 320
// wide; another is refused), the background
// (the file's, or the one the conversion chose) and `format` are written only when the import
// succeeds: true then, with the C64 picture format the file was read as in `read_as` (null for
// an image); false, with all untouched, when the user cancels or the file is refused (with a
// message naming the file and the reason).
bool import_picture_file(const QString& path, PixelGrid storage, std::uint8_t& background,
                         std::uint8_t& format, const FileFormat** read_as = nullptr);

// Picture > Import: asks for a file (the dialog's filter is set here) and brings it in as above.
bool import_picture(TOpenDialog& dialog, PixelGrid storage, std::uint8_t& background,
                    std::uint8_t& format);

// A file Import reads, as an image to trace: a C64 picture in the colours the views show, over
// the whole picture; any other image through Import's dialog (offering `format` first), with
// its tones, crop and place as the user leaves them there. Nothing when the user cancels, or
// after a message naming the file and the reason when the file is refused.
std::optional<ReferenceImage> read_reference_image(const QString& path, std::uint8_t format);

// View > Reference Image: asks for a file, with Import's filter, and reads it as above.
std::optional<ReferenceImage> ask_reference_image(TOpenDialog& dialog, std::uint8_t format);

// Brush > Load Brush: an image, read as Import reads one, as a brush for a picture of `picture`'s
// shape, matched to the displayed colours (see block_from_image). A brush is at most the
// picture: a larger image is refused for its size before it is decoded. Nothing, after a
// message naming the file and the reason, when the file is refused.
std::optional<PixelBlock> read_brush_image(const QString& path, const PictureShape& picture);
