#pragma once
#include "c64/fli.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// FLI files. FLI Graph (.bml, also .fli) loads at $3B00: 256 background bytes, one a raster
// line (the first 200 used), colour RAM (1024 bytes, 1000 used), the 8 screen RAMs (1024 each,
// 1000 used) and the bitmap: 17474 bytes with the load address. FLI Designer (.fd2) loads at
// $3C00 and holds the same without the backgrounds, 17218 bytes; its background is black.
enum class FliFormat : std::uint8_t { Graph, Designer };

constexpr std::size_t kFliGraphFileBytes = 17474;
constexpr std::uint16_t kFliGraphLoadAddress = 0x3B00;
constexpr std::size_t kFliDesignerFileBytes = 17218;
constexpr std::uint16_t kFliDesignerLoadAddress = 0x3C00;
// Files copied off a C64 disk may be padded to a whole number of 256-byte blocks; no FLI file,
// padded or not, is longer, so a caller need not read more than one byte beyond.
constexpr std::size_t kFliMaxFileBytes = (kFliGraphFileBytes + 255) / 256 * 256;

std::vector<std::uint8_t> write_fli_graph(const FliImage& image);

// Either the picture or, in `error`, why the bytes are not one.
struct FliRead {
    std::optional<FliImage> image;
    std::string error;
};
FliRead read_fli(std::span<const std::uint8_t> file, FliFormat format);
