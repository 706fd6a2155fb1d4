#pragma once
#include "c64/fli.h"
#include "c64/multicolor.h"
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A C64 picture as a file holds it, every colour a C64 colour number.
using C64Image = std::variant<MulticolorImage, FliImage>;
enum class PictureKind : std::uint8_t { Multicolor, Fli };

// Either the picture or, in `error`, why the bytes are not one, said of the format
// ("an Advanced Art Studio picture takes 10018"); the table adds the file's length and load
// address in front.
struct FormatRead {
    std::optional<C64Image> image;
    std::string error;
};

// How a file that reads fits its format. Marked: the bytes say so themselves (a signature, or
// packed data that end with the format's end mark exactly where the picture does), which no
// plain layout's length or a name outweighs. Own: the format's load address and length.
// Variant: a copy found in the wild at another load address, taken only where no format of the
// table loads. ByNameOnly: bytes that nearly anything could produce (a packed layout without a
// signature), taken only from a file with one of the format's usual names, and at another
// load address only where no format loading there reads it.
enum class Fit : std::uint8_t { Marked, Own, Variant, ByNameOnly };

// What every codec states about its files.
struct CodecFacts {
    std::string_view name;                     // "Advanced Art Studio"
    std::vector<std::string_view> usual_names; // extensions, lower case; the first is written
    std::uint16_t load_address = 0;
    std::size_t length = 0;  // bytes with the load address (a packed format: unpacked)
    std::size_t longest = 0; // the most bytes a file of it can have; 0: `length`
    PictureKind kind = PictureKind::Multicolor;
};

// One file format: its facts, its reader and, where Vexlor writes it, its writer.
class PictureCodec {
public:
    explicit PictureCodec(CodecFacts facts) : facts_(std::move(facts)) {}
    virtual ~PictureCodec() = default;
    PictureCodec(const PictureCodec&) = delete;
    PictureCodec& operator=(const PictureCodec&) = delete;

    std::string_view name() const { return facts_.name; }
    const std::vector<std::string_view>& usual_names() const { return facts_.usual_names; }
    std::uint16_t load_address() const { return facts_.load_address; }
    std::size_t length() const { return facts_.length; }
    std::size_t longest() const { return facts_.longest ? facts_.longest : facts_.length; }
    PictureKind kind() const { return facts_.kind; }
    // Whether `extension` (any case, no dot) is one of the usual names.
    bool has_usual_name(std::string_view extension) const;

    // Reads the whole file, load address included. Refuses a file of another length or load
    // address; never fills in what a file lacks.
    virtual FormatRead read(std::span<const std::uint8_t> file) const = 0;
    // How a file that `read` accepts fits.
    virtual Fit fit(std::span<const std::uint8_t> file) const;
    // Whether the file carries the format's signature, read or not: then a refusal names it.
    virtual bool signed_as_it(std::span<const std::uint8_t> file) const;

    virtual bool writes() const { return false; }
    // The file for `image` (the alternative of the codec's kind).
    virtual std::vector<std::uint8_t> write(const C64Image& image) const;

    // "an Advanced Art Studio picture", for messages.
    std::string a_picture() const;

private:
    CodecFacts facts_;
};

// A file's load address: its first two bytes, low byte first (0 for a shorter file).
unsigned load_address_of(std::span<const std::uint8_t> file);

// printf into a string, for the messages.
template <class... Values> std::string format_text(const char* pattern, Values... values) {
    char text[240];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}
