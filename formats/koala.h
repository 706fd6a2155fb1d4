#pragma once
#include "c64/multicolor.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Koala Painter files (.koa, .kla): a load address ($6000), the bitmap, screen RAM, colour RAM
// and the background colour, 10003 bytes in all. The packed variant (.gg) runs the same 10001
// data bytes through a run-length code: FE value count, a count of 0 meaning 256.

constexpr std::size_t kKoalaFileBytes = 10003;
constexpr std::uint16_t kKoalaLoadAddress = 0x6000;
// Bytes after the picture that a reader ignores: padding added on the way off a C64 disk, or a
// border colour. A file with more is not a Koala picture.
constexpr std::size_t kKoalaMaxTrailingBytes = 255;
// No Koala file, packed or not, is longer: a caller need not read more than one byte beyond.
constexpr std::size_t kKoalaMaxFileBytes = kKoalaFileBytes + kKoalaMaxTrailingBytes;

std::vector<std::uint8_t> write_koala(const MulticolorImage& image);

// Either the picture or, in `error`, why the bytes are not one ("it holds 12 bytes ...").
struct KoalaRead {
    std::optional<MulticolorImage> image;
    std::string error;
};

// Packed files are told apart by their name: nearly any short run of bytes unpacks to
// something, so a cut-off plain file would pass for a packed one.
enum class KoalaPacking : std::uint8_t { Plain, RunLength };

// Reads a Koala file at any load address a C64 file could have (the start of a page, with
// room for the picture below $10000). A file named as packed is unpacked first; when that does
// not give exactly a picture and it has a plain file's size, it is read as plain.
KoalaRead read_koala(std::span<const std::uint8_t> file,
                     KoalaPacking packing = KoalaPacking::Plain);

// Whether bytes that came without a Koala name are one: a plain Koala file that loads at
// $6000, as Koala Painter saves them.
bool looks_like_koala(std::span<const std::uint8_t> file);
