#pragma once
#include "c64/c64_image.h"
#include "c64/render.h"
#include "c64/sprites.h"
#include "picture/picture.h"
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

PictureFormat kind_of(const C64Image& image);

// The picture (Vexlor indices) encoded for a file of `kind` on `background` (a Vexlor index),
// with how many of its parts (cells; in FLI and AFLI, rows of a cell) could not be shown exactly.
// The picture's grid has the kind's shape (320 x 200 in hires and AFLI, else 160 x 200).
EncodedPicture encode_picture(PictureFormat kind, ConstPixelGrid picture, std::uint8_t background);

// The picture as the editor holds it: pixels and background as Vexlor indices, and its mode.
// An FLI file may give each raster line a background of its own: the picture takes the one
// most lines show. A hires picture has none: it takes black.
struct DecodedPicture {
    StoredPicture pixels{};
    std::uint8_t background = 0;
    PictureFormat format = fmtMulticolor;
};
DecodedPicture decode_picture(const C64Image& image);

// Where the editor offers a format: File › Open and Save, Picture › Import and each export.
enum class Command : std::uint8_t {
    Open,
    Save,
    Import,
    ExportKoala,
    ExportFli,
    ExportOther,
    ExportPrg,
    ExportPng
};

class Commands {
public:
    constexpr Commands(std::initializer_list<Command> commands = {}) {
        for (Command command : commands) bits_ |= 1u << unsigned(command);
    }
    constexpr bool has(Command command) const { return (bits_ >> unsigned(command) & 1u) != 0; }

private:
    unsigned bits_ = 0;
};

// What a file holds: a picture encoded for a C64, of one kind; the picture's own pixels, in
// whatever mode it is (Vexlor's file); those with the mode, the background and the sprites
// (Vexlor's file with sprites); or an image of the picture.
enum class Holds : std::uint8_t { C64Picture, Pixels, PixelsAndSprites, Image };

// Where a C64 picture file told by its content loads and how long it is: bytes with the load
// address (a packed format: unpacked), and the most a file of it can have (0: `length`).
struct C64File {
    std::uint16_t load_address = 0;
    std::size_t length = 0;
    std::size_t longest = 0;
};

// What every row of the table states about its format.
struct FormatFacts {
    std::string_view name = {};                    // "Advanced Art Studio"
    std::vector<std::string_view> extensions = {}; // lower case; the first is written
    Commands offered = {};
    std::string_view filter_name = {}; // its entry in a file dialog; empty: the name
    Holds holds = Holds::C64Picture;
    PictureFormat kind = fmtMulticolor; // what a C64 picture file holds
    C64File file = {};
};

// Whether Export as Other C64 Format writes a paint program's file, or only Import reads it.
enum class Written : bool { No, Yes };

// The facts of a multicolour picture file of a paint program.
FormatFacts paint_program(std::string_view name, std::vector<std::string_view> extensions,
                          Written written, C64File file);

// Either the picture or, in `error`, why the bytes are not one, said of the format
// ("an Advanced Art Studio picture takes 10018"); the table adds the file's length and load
// address in front.
struct FormatRead {
    std::optional<C64Image> image;
    std::string error;
};

// A codec's own answer (its picture of one kind, or why there is none) as the table takes it.
template <class Read> FormatRead format_read(Read read) {
    if (!read.image) return {{}, std::move(read.error)};
    return {std::move(*read.image), {}};
}

// How a file that reads fits its format. Marked: the bytes say so themselves (a signature, or
// packed data that end with the format's end mark exactly where the picture does), which no
// plain layout's length or a name outweighs. Own: the format's load address and length.
// Variant: a copy found in the wild at another load address, taken where no format of the
// table loads, or at the layout's own length where no format loading there is longer (so that
// it cannot be one of their pictures cut short). ByNameOnly: bytes that nearly anything could
// produce (a packed layout without a signature), taken only from a file with one of the format's
// usual names, and at another load address only where no format loading there reads it.
enum class Fit : std::uint8_t { Marked, Own, Variant, ByNameOnly };

// What a writer is given: the picture as the editor holds it (Vexlor indices), encoded for the
// file's kind where it holds a C64 picture, and how an image shows it; its mode, background and
// sprites (Vexlor indices too) for a file that keeps them or a program that shows them.
struct PictureToWrite {
    ConstPixelGrid pixels = {};
    C64Image encoded = {};
    RenderOptions rendering = {};
    PictureFormat mode = fmtMulticolor;
    std::uint8_t background = 0;
    SpriteSet sprites = {};
};

// The sprites with their colours as C64 numbers.
SpriteSet for_c64(SpriteSet sprites);

// Thrown by a writer that cannot make the file of what it was given, with the reason in words
// ("Sprites 3 and 11 are too close ..."); nothing has been written.
class WriteRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row of the table: a file format's facts, where it is offered, its reader and its writer.
class FileFormat {
public:
    explicit FileFormat(FormatFacts facts) : facts_(std::move(facts)) {}
    virtual ~FileFormat() = default;
    FileFormat(const FileFormat&) = delete;
    FileFormat& operator=(const FileFormat&) = delete;

    std::string_view name() const { return facts_.name; }
    const std::vector<std::string_view>& extensions() const { return facts_.extensions; }
    // Whether `extension` (any case, no dot) is one of the usual names.
    bool has_extension(std::string_view extension) const;
    bool offered_in(Command command) const { return facts_.offered.has(command); }
    // "Koala pictures"; else the name as an entry starts: "Packed Drazpaint".
    std::string filter_name() const;
    Holds holds() const { return facts_.holds; }
    // Whether a picture saved in it keeps its sprites; any other file keeps only the bitmap.
    bool keeps_sprites() const { return holds() == Holds::PixelsAndSprites; }
    // The kind of picture a C64 picture file holds; none for a file that holds any.
    std::optional<PictureFormat> kind() const;
    std::uint16_t load_address() const { return facts_.file.load_address; }
    std::size_t length() const { return facts_.file.length; }
    std::size_t longest() const { return facts_.file.longest ? facts_.file.longest : length(); }

    // Vexlor writes a format wherever it offers it: Save or an export.
    bool writes() const;
    virtual std::vector<std::uint8_t> write(const PictureToWrite& picture) const;

    // "an Advanced Art Studio picture", for messages.
    std::string a_picture() const;

private:
    FormatFacts facts_;
};

// A C64 picture file of a paint program: recognised among the table by its content and read
// from its bytes. (Vexlor's own file is read by Open, an image by Qt's readers.)
class C64PictureFormat : public FileFormat {
public:
    using FileFormat::FileFormat;
    // Reads the whole file, load address included. Refuses a file of another length or load
    // address; never fills in what a file lacks.
    virtual FormatRead read(std::span<const std::uint8_t> file) const = 0;
    // How a file that `read` accepts fits.
    virtual Fit fit(std::span<const std::uint8_t> file) const;
    // Whether the file carries the format's signature, read or not: then a refusal names it.
    virtual bool signed_as_it(std::span<const std::uint8_t> file) const;
};

// A C64 picture format whose codec reads one `Variant` of its files (plain or packed, FLI Graph
// or FLI Designer) into a `Read` and writes an `Image`.
template <class Variant, class Read, class Image> class CodecFormat : public C64PictureFormat {
public:
    using Reader = Read (*)(std::span<const std::uint8_t> file, Variant variant);
    using Writer = std::vector<std::uint8_t> (*)(const Image& image);
    CodecFormat(FormatFacts facts, Variant variant, Reader reader, Writer writer)
        : C64PictureFormat(std::move(facts)), variant_(variant), reader_(reader), writer_(writer) {}

    FormatRead read(std::span<const std::uint8_t> file) const override {
        return format_read(reader_(file, variant_));
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        return writer_(std::get<Image>(picture.encoded));
    }
    Variant variant() const { return variant_; }

private:
    Variant variant_;
    Reader reader_;
    Writer writer_;
};

// A file's load address: its first two bytes, low byte first (0 for a shorter file).
unsigned load_address_of(std::span<const std::uint8_t> file);

// printf into a string, for the messages.
template <class... Values> std::string format_text(const char* pattern, Values... values) {
    char text[240];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}
