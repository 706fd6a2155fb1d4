#include "formats/raw_sprites.h"
#include "c64/sprite_multiplex.h"
#include "colour/palettes.h"
#include <algorithm>

namespace {

constexpr std::uint8_t kMulticolourBit = 0x80;
constexpr int kSpritesARow = kHardwareSprites;

std::string hex(unsigned value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return std::string("$") + kDigits[value >> 4 & 15] + kDigits[value & 15];
}

// One table of the assembler source: its label and a value a sprite, eight to a line.
template <class Value>
std::string table(const char* label, const char* directive, const SpriteSet& set, Value value) {
    std::string text = label;
    for (std::size_t n = 0; n < set.sprites.size(); ++n) {
        text += n % 8 == 0 ? std::string("\n    ") + directive + " " : std::string(", ");
        text += value(set.sprites[n]);
    }
    return text + "\n";
}

// The name as it can stand between quotes in the source: no quote, backslash or control
// character, which would end the string or the line early.
std::string quotable(std::string_view name) {
    std::string text;
    for (const char c : name)
        if (c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20) text += c;
    return text;
}

} // namespace

std::vector<std::uint8_t> write_raw_sprites(const SpriteSet& set) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(set.sprites.size() * kSpriteBlockBytes);
    for (const Sprite& sprite : set.sprites) {
        bytes.insert(bytes.end(), sprite.data.begin(), sprite.data.end());
        bytes.push_back(std::uint8_t(c64_color_number(sprite.colour) |
                                     (sprite.multicolour ? kMulticolourBit : 0)));
    }
    return bytes;
}

RawSpritesRead read_raw_sprites(std::span<const std::uint8_t> file, std::uint8_t colour) {
    const std::size_t start = file.size() % kSpriteBlockBytes == 2 ? 2 : 0;
    const std::size_t blocks = (file.size() - start) / kSpriteBlockBytes;
    if (blocks == 0 || (file.size() - start) % kSpriteBlockBytes != 0)
        return {std::nullopt, "raw sprite data takes 64 bytes a sprite, with or without a "
                              "load address of 2 in front, not " +
                                  std::to_string(file.size())};
    SpriteSet set;
    for (std::size_t n = 0; n < blocks; ++n) {
        const auto block = file.subspan(start + n * kSpriteBlockBytes, kSpriteBlockBytes);
        Sprite& sprite = set.sprites.emplace_back();
        std::copy_n(block.begin(), kSpriteBytes, sprite.data.begin());
        sprite.x = int(n % kSpritesARow) * kSpriteWidth;
        sprite.y = int(n / kSpritesARow) * kSpriteHeight;
        const std::uint8_t named = block[kSpriteBytes];
        sprite.colour = named == 0 ? colour : vexlor_color_index(named & 0x0F);
        sprite.multicolour = (named & kMulticolourBit) != 0;
    }
    return {std::move(set), {}};
}

std::string sprites_assembler(const SpriteSet& set, std::string_view data_file) {
    const auto number = [](int value) { return std::to_string(value); };
    std::string text =
        "; " + std::to_string(set.sprites.size()) +
        " sprites over the picture (ACME). Positions are the VIC-II's: the picture's top-left\n"
        "; pixel lies at X 24, Y 50. Flags: bit 0 multicolour ($d01c), bit 1 expanded in width\n"
        "; ($d01d), bit 2 in height ($d017), bit 3 behind the bitmap ($d01b).\n\n";
    text += "sprite_count = " + std::to_string(set.sprites.size()) + "\n";
    text += "sprite_shared_colour0 = " + hex(c64_color_number(set.shared_colour0)) + " ; $d025\n";
    text += "sprite_shared_colour1 = " + hex(c64_color_number(set.shared_colour1)) + " ; $d026\n\n";
    text += table("sprite_x", "!word", set,
                  [&](const Sprite& sprite) { return number(vic_position(sprite).x); });
    text += table("sprite_y", "!byte", set,
                  [&](const Sprite& sprite) { return number(vic_position(sprite).y & 0xFF); });
    text += table("sprite_colour", "!byte", set,
                  [](const Sprite& sprite) { return hex(c64_color_number(sprite.colour)); });
    text += table("sprite_flags", "!byte", set, [](const Sprite& sprite) {
        return hex(unsigned(sprite.multicolour) | unsigned(sprite.expand_x) << 1 |
                   unsigned(sprite.expand_y) << 2 | unsigned(sprite.behind) << 3);
    });
    text += "\n; 64 bytes a sprite, the 64th its colour\nsprite_data\n    !binary \"" +
            quotable(data_file) + "\"\n";
    return text;
}
