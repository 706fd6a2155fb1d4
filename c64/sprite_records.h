#pragma once
#include "c64/sprites.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A sprite set as Vexlor's files keep it, little-endian: the two shared colours, the number of
// sprites (16 bits), then each sprite's 63 bytes, x and y (signed 16 bits), its colour and a
// flags byte (bit 0 multicolour, 1 expanded in width, 2 in height, 3 behind the bitmap). Every
// colour 0..15. At most 65535 sprites are kept.
inline constexpr std::size_t kSpriteRecordBytes = kSpriteBytes + 2 + 2 + 1 + 1;

void put_sprite_set(std::vector<std::uint8_t>& out, const SpriteSet& set);

// The set at `at`, which moves past it; none when the bytes end inside it (`at` then at the
// end) or hold a colour or flag no sprite has.
std::optional<SpriteSet> take_sprite_set(std::span<const std::uint8_t> bytes, std::size_t& at);
