#include "c64/sprite_records.h"
#include <algorithm>

namespace {

enum Flag : std::uint8_t { Multicolour = 1, ExpandX = 2, ExpandY = 4, Behind = 8 };
constexpr std::uint8_t kAllFlags = Multicolour | ExpandX | ExpandY | Behind;
constexpr std::size_t kMostSprites = 0xFFFF;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

unsigned get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | unsigned(bytes[at + 1]) << 8;
}

} // namespace

void put_sprite_set(std::vector<std::uint8_t>& out, const SpriteSet& set) {
    const std::size_t count = std::min(set.sprites.size(), kMostSprites);
    out.push_back(set.shared_colour0 & 0x0F);
    out.push_back(set.shared_colour1 & 0x0F);
    put16(out, unsigned(count));
    for (std::size_t n = 0; n < count; ++n) {
        const Sprite& sprite = set.sprites[n];
        out.insert(out.end(), sprite.data.begin(), sprite.data.end());
        put16(out, unsigned(std::uint16_t(std::int16_t(sprite.x))));
        put16(out, unsigned(std::uint16_t(std::int16_t(sprite.y))));
        out.push_back(sprite.colour & 0x0F);
        out.push_back(std::uint8_t((sprite.multicolour ? Multicolour : 0) |
                                   (sprite.expand_x ? ExpandX : 0) |
                                   (sprite.expand_y ? ExpandY : 0) | (sprite.behind ? Behind : 0)));
    }
}

std::optional<SpriteSet> take_sprite_set(std::span<const std::uint8_t> bytes, std::size_t& at) {
    const auto end = [&] {
        at = bytes.size();
        return std::nullopt;
    };
    if (at > bytes.size() || bytes.size() - at < 4) return end();
    SpriteSet set{.sprites = {}, .shared_colour0 = bytes[at], .shared_colour1 = bytes[at + 1]};
    const std::size_t count = get16(bytes, at + 2);
    at += 4;
    if (bytes.size() - at < count * kSpriteRecordBytes) return end();
    if (set.shared_colour0 > 15 || set.shared_colour1 > 15) return std::nullopt;
    for (std::size_t n = 0; n < count; ++n, at += kSpriteRecordBytes) {
        const std::span<const std::uint8_t> record = bytes.subspan(at, kSpriteRecordBytes);
        Sprite& sprite = set.sprites.emplace_back();
        std::copy_n(record.begin(), kSpriteBytes, sprite.data.begin());
        sprite.x = std::int16_t(get16(record, kSpriteBytes));
        sprite.y = std::int16_t(get16(record, kSpriteBytes + 2));
        sprite.colour = record[kSpriteBytes + 4];
        const std::uint8_t flags = record[kSpriteBytes + 5];
        if (sprite.colour > 15 || (flags & ~kAllFlags) != 0) return std::nullopt;
        sprite.multicolour = flags & Multicolour;
        sprite.expand_x = flags & ExpandX;
        sprite.expand_y = flags & ExpandY;
        sprite.behind = flags & Behind;
    }
    return set;
}
