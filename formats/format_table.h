#pragma once
#include "formats/picture_codec.h"
#include "picture/picture.h"

// Every C64 picture format Vexlor reads, in the order that settles a tie that no name breaks.
// Import, the command line, drops, the file dialogs, the exports and the fuzz target read it.
std::span<const PictureCodec* const> picture_codecs();

// The most bytes a file of any of them has: a reader need take no more than one byte beyond.
std::size_t longest_picture_file();

// The first codec whose usual names hold `extension` (any case, no dot); null when none does.
const PictureCodec* codec_for_extension(std::string_view extension);

// The codec that writes files with the usual name `extension`; null when none does.
const PictureCodec* writer_for_extension(std::string_view extension);

// What a file's bytes were taken for, and the picture or why it is refused.
struct PictureFileRead {
    const PictureCodec* codec = nullptr; // null: no C64 picture format fits it at all
    std::optional<C64Image> image;
    std::string error; // "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"
};

// Recognises a file by its content: a format whose mark the file carries (a signature, an end
// mark where the picture ends) and that reads it takes it, whatever its length or name; else
// every format that reads it and loads there is a candidate, a copy of Koala's layout at a load
// address no format uses comes next, and the name (its `extension`) only breaks a tie. A file
// none reads is refused as the format its signature, else its name, else its load address
// suggests.
PictureFileRead read_picture_file(std::span<const std::uint8_t> file, std::string_view extension);

// The picture as the editor holds it: pixels and background as Vexlor indices, and its mode.
// An FLI file may give each raster line a background of its own: the picture takes the one
// most lines show.
struct DecodedPicture {
    PictureBytes pixels{};
    std::uint8_t background = 0;
    PictureFormat format = fmtMulticolor;
};
DecodedPicture decode_picture(const C64Image& image);
