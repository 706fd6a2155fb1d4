#include "recovery/recovery_copy.h"
#include "modes/mode.h"
#include <algorithm>

namespace {

constexpr std::uint8_t kMagic[4] = {'V', 'X', 'R', 'C'};
constexpr std::uint16_t kVersion = 3;
constexpr std::uint16_t kVersionWithoutSprites = 2;

constexpr std::array<std::uint32_t, 256> crc_table() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static constexpr std::array<std::uint32_t, 256> table = crc_table();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint64_t get(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value |= std::uint64_t(bytes[at + i]) << (8 * i);
    return value;
}

// The pixels a copy of a picture in that mode holds; a mode no editor has holds none.
std::size_t pixel_bytes(std::uint8_t mode) {
    const Mode* found = find_mode(mode);
    return found ? std::size_t(found->shape.width * found->shape.height) : 0;
}

constexpr std::uint16_t kFirstVersion = 1;    // one page, no reference image
constexpr std::size_t kFirstHeaderBytes = 20; // up to the file's name

void put_page(std::vector<std::uint8_t>& out, const KeptPage& page) {
    const std::size_t name_bytes = std::min<std::size_t>(page.file.size(), 0xFFFF);
    out.insert(out.end(), {page.background, page.mode, std::uint8_t(page.changed),
                           std::uint8_t(page.reference.has_value())});
    put(out, name_bytes, 2);
    out.insert(out.end(), page.file.begin(), page.file.begin() + std::ptrdiff_t(name_bytes));
    out.insert(out.end(), page.pixels.begin(),
               page.pixels.begin() + std::ptrdiff_t(pixel_bytes(page.mode)));
    if (page.reference) {
        const PixelArea& area = page.reference->area;
        for (int value : {area.left, area.top, area.width, area.height})
            put(out, unsigned(value), 2);
        for (int row = area.top; row <= area.bottom(); ++row) {
            const std::uint8_t* rgb = page.reference->rgb.pixel(area.left, row);
            out.insert(out.end(), rgb, rgb + std::ptrdiff_t(area.width) * 3);
        }
    }
    put_sprite_set(out, page.sprites);
}

// Reads a copy's bytes in turn; a read past the end leaves it cut short.
struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    bool short_ = false;

    std::span<const std::uint8_t> take(std::size_t count) {
        if (short_ || bytes.size() - at < count) {
            short_ = true;
            return {};
        }
        at += count;
        return bytes.subspan(at - count, count);
    }
    std::uint64_t number(int count) {
        const std::span<const std::uint8_t> taken = take(std::size_t(count));
        return taken.empty() ? 0 : get(taken, 0, count);
    }
};

bool sound_page(const KeptPage& page) {
    return page.background < 16 && find_mode(page.mode) != nullptr &&
           std::all_of(page.pixels.begin(), page.pixels.end(),
                       [](std::uint8_t p) { return p < 16; });
}

// The reference image that follows a page's pixels; false when cut short (the reader says so)
// or when its area lies outside the picture.
bool take_reference(Reader& in, KeptPage& page) {
    PixelArea area;
    for (int* value : {&area.left, &area.top, &area.width, &area.height})
        *value = int(in.number(2));
    if (in.short_) return false;
    if (area.empty() || clipped(area, {0, 0, kPictureColumns, kPictureRows}) != area) return false;
    ReferenceImage reference{
        {kPictureColumns, kPictureRows, std::vector<std::uint8_t>(std::size_t(kPictureBytes) * 3)},
        area};
    for (int row = area.top; row <= area.bottom(); ++row) {
        const std::span<const std::uint8_t> rgb = in.take(std::size_t(area.width) * 3);
        if (in.short_) return false;
        std::copy(rgb.begin(), rgb.end(),
                  reference.rgb.rgb.begin() +
                      std::ptrdiff_t((row * kPictureColumns + area.left) * 3));
    }
    page.reference = std::move(reference);
    return true;
}

// A page as the second or the current version keeps it; nothing when its flags hold values
// never written.
std::optional<KeptPage> take_page(Reader& in, bool with_sprites) {
    KeptPage page;
    const std::span<const std::uint8_t> flags = in.take(4);
    const std::size_t name_bytes = in.number(2);
    const std::span<const std::uint8_t> name = in.take(name_bytes);
    if (in.short_) return page;
    // The mode says how many pixels follow: a mode no editor has is not a copy of ours.
    if (!find_mode(flags[1]) || flags[2] > 1 || flags[3] > 1) return std::nullopt;
    const std::span<const std::uint8_t> pixels = in.take(pixel_bytes(flags[1]));
    if (in.short_) return page;
    page.background = flags[0];
    page.mode = flags[1];
    page.changed = flags[2] != 0;
    page.file.assign(name.begin(), name.end());
    std::copy(pixels.begin(), pixels.end(), page.pixels.begin());
    if (flags[3] != 0 && !take_reference(in, page))
        return in.short_ ? std::optional(page) : std::nullopt;
    if (!with_sprites) return page;
    std::optional<SpriteSet> sprites = take_sprite_set(in.bytes, in.at);
    if (sprites) {
        page.sprites = std::move(*sprites);
        return page;
    }
    // Cut short, or a colour or flag never written.
    in.short_ = in.at == in.bytes.size();
    return in.short_ ? std::optional(page) : std::nullopt;
}

DecodedRecovery decode_first_version(std::span<const std::uint8_t> bytes) {
    const auto fault = [](RecoveryFault f) { return DecodedRecovery{f, {}}; };
    if (bytes.size() < kFirstHeaderBytes) return fault(RecoveryFault::Truncated);
    const std::size_t name_bytes = get(bytes, 18, 2);
    if (!find_mode(bytes[7])) return fault(RecoveryFault::Corrupt);
    const std::size_t pixels = pixel_bytes(bytes[7]);
    const std::size_t body = kFirstHeaderBytes + name_bytes + pixels;
    if (bytes.size() < body + 4) return fault(RecoveryFault::Truncated);
    if (bytes.size() > body + 4 || get(bytes, body, 4) != crc32(bytes.first(body)))
        return fault(RecoveryFault::Corrupt);

    DecodedRecovery decoded;
    RecoveryCopy& copy = decoded.copy;
    copy.background = bytes[6];
    copy.mode = bytes[7];
    copy.changed = bytes[8] != 0;
    copy.kept_at = std::int64_t(get(bytes, 10, 8));
    copy.file.assign(bytes.begin() + kFirstHeaderBytes,
                     bytes.begin() + std::ptrdiff_t(kFirstHeaderBytes + name_bytes));
    std::copy_n(bytes.begin() + std::ptrdiff_t(kFirstHeaderBytes + name_bytes), pixels,
                copy.pixels.begin());
    // A sound checksum over values this editor never writes: not a copy of ours.
    return sound_page(copy) && bytes[8] < 2 ? decoded : fault(RecoveryFault::Corrupt);
}

} // namespace

std::vector<std::uint8_t> encode_recovery_copy(const RecoveryCopy& copy) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    put(out, kVersion, 2);
    out.insert(out.end(), {copy.page_shown, std::uint8_t(copy.spare ? 2 : 1)});
    put(out, std::uint64_t(copy.kept_at), 8);
    put_page(out, copy);
    if (copy.spare) put_page(out, *copy.spare);
    put(out, crc32(out), 4);
    return out;
}

DecodedRecovery decode_recovery_copy(std::span<const std::uint8_t> bytes) {
    const auto fault = [](RecoveryFault f) { return DecodedRecovery{f, {}}; };
    const std::size_t magic = std::min(bytes.size(), sizeof kMagic);
    if (!std::equal(bytes.begin(), bytes.begin() + std::ptrdiff_t(magic), kMagic))
        return fault(RecoveryFault::Corrupt);
    if (bytes.size() < 6) return fault(RecoveryFault::Truncated);
    const std::uint64_t version = get(bytes, 4, 2);
    if (version == kFirstVersion) return decode_first_version(bytes);
    if (version != kVersion && version != kVersionWithoutSprites)
        return fault(RecoveryFault::OtherVersion);
    const bool with_sprites = version == kVersion;

    Reader in{bytes, 6};
    const std::uint64_t page_shown = in.number(1), pages = in.number(1);
    DecodedRecovery decoded;
    RecoveryCopy& copy = decoded.copy;
    copy.kept_at = std::int64_t(in.number(8));
    std::optional<KeptPage> shown = take_page(in, with_sprites), spare;
    if (pages == 2) spare = take_page(in, with_sprites);
    const std::size_t body = in.at;
    in.number(4);
    if (in.short_) return fault(RecoveryFault::Truncated);
    if (bytes.size() > body + 4 || get(bytes, body, 4) != crc32(bytes.first(body)))
        return fault(RecoveryFault::Corrupt);
    // A sound checksum over values this editor never writes: not a copy of ours.
    const bool sound = (page_shown == 1 || page_shown == 2) && (pages == 1 || pages == 2) &&
                       shown && sound_page(*shown) && (pages == 1 || (spare && sound_page(*spare)));
    if (!sound) return fault(RecoveryFault::Corrupt);
    static_cast<KeptPage&>(copy) = std::move(*shown);
    copy.page_shown = std::uint8_t(page_shown);
    copy.spare = std::move(spare);
    return decoded;
}

const char* describe(RecoveryFault fault) {
    switch (fault) {
    case RecoveryFault::None:
        return "it is sound";
    case RecoveryFault::Truncated:
        return "it is cut short";
    case RecoveryFault::Corrupt:
        return "it is damaged";
    case RecoveryFault::OtherVersion:
        return "it was kept by another version of Vexlor";
    }
    return "it cannot be read";
}
