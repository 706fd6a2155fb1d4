#pragma once
#include "formats/file_format.h"
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The table of file formats (formats/rows.h) and what the editor asks of it: Open, Save, Import,
// the exports, the converter, drops, the file dialogs' filters and the fuzz targets read it.
std::span<const FileFormat* const> file_formats();
// Those that are C64 picture files, which compete for a file by its content, in that order.
std::span<const C64PictureFormat* const> c64_picture_formats();

// The formats `command` offers, in the table's order; with a `kind`, only those that hold a
// picture of that kind or of any.
std::vector<const FileFormat*> formats_offered(Command command,
                                               std::optional<PictureFormat> kind = std::nullopt);

// The file dialog's filter for `command`: "Koala pictures|*.koa;*.kla|All Files|*.*" for one
// format; Export as Other C64 Format names each of its formats with its patterns. Open and Import
// start with an entry that shows every file they read ("Vexlor and C64 pictures (...)", "C64
// pictures and images (...)"), then the C64 picture files gathered under "C64 pictures (...)"
// beside Vexlor's own or the images, then all files.
std::string dialog_filter(Command command, std::optional<PictureFormat> kind = std::nullopt);

// The format Save writes a picture in `mode` to: the one offered for Save that holds that kind
// of picture exactly (a hires mode's own C64 file), else Vexlor's own; a picture with sprites,
// the first that keeps them (Vexlor's file with sprites).
const FileFormat& saved_format(PictureFormat mode, bool with_sprites = false);
// The file dialog's filter for that one format: "Art Studio pictures|*.art;*.ocp|All Files|*.*".
std::string dialog_filter(const FileFormat& format);
// The Save dialog's filter for a picture in `mode`: the format it is saved in; with sprites, the
// file that keeps them first, then the one that keeps only the bitmap.
std::string save_filter(PictureFormat mode, bool with_sprites);

// The format File › Open takes a file named `extension` (any case, no dot) for: Vexlor's own,
// with sprites or without; null for any other name, which opens as Import reads it.
const FileFormat* format_opened(std::string_view extension);

// The format that writes files named `extension` for a picture in `mode`: of the formats with
// that usual name, the one of the mode's kind or of any, else the first; null when none writes.
const FileFormat* writer_for(std::string_view extension, PictureFormat mode);

// The usual names of every format that writes, in the table's order, each once.
std::vector<std::string_view> written_extensions();

// The most bytes a C64 picture file of any format has: a reader need take no more than one
// byte beyond.
std::size_t longest_picture_file();

// What a file's bytes were taken for, and the picture or why it is refused.
struct PictureFileRead {
    const FileFormat* format = nullptr; // null: no C64 picture format fits it at all
    std::optional<C64Image> image;
    std::string error; // "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"
};

// Recognises a C64 picture file by its content: a format whose mark the file carries (a signature,
// an end mark where the picture ends) and that reads it takes it, whatever its length or name; else
// every format that reads it and loads there is a candidate, a copy of Koala's layout at a load
// address no format uses (or, whole, where no format loading there is longer) comes next, and
// the name (its `extension`) only breaks a tie. A file none reads is refused as the format its
// signature, else its name, else its load address suggests; a whole copy of Koala's layout is
// named as well ("..., or it is a Koala Painter picture, which loads at $6000").
PictureFileRead read_picture_file(std::span<const std::uint8_t> file, std::string_view extension);
