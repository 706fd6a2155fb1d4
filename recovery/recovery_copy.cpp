#include "recovery/recovery_copy.h"
#include "modes/mode.h"
#include <algorithm>

namespace {

constexpr std::uint8_t kMagic[4] = {'V', 'X', 'R', 'C'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 20; // up to the file's name

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

} // namespace

std::vector<std::uint8_t> encode_recovery_copy(const RecoveryCopy& copy) {
    const std::size_t name_bytes = std::min<std::size_t>(copy.file.size(), 0xFFFF);
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    const std::size_t pixels = pixel_bytes(copy.mode);
    out.reserve(kHeaderBytes + name_bytes + pixels + 4);
    put(out, kVersion, 2);
    out.insert(out.end(), {copy.background, copy.mode, std::uint8_t(copy.changed), 0});
    put(out, std::uint64_t(copy.kept_at), 8);
    put(out, name_bytes, 2);
    out.insert(out.end(), copy.file.begin(), copy.file.begin() + std::ptrdiff_t(name_bytes));
    out.insert(out.end(), copy.pixels.begin(), copy.pixels.begin() + std::ptrdiff_t(pixels));
    put(out, crc32(out), 4);
    return out;
}

DecodedRecovery decode_recovery_copy(std::span<const std::uint8_t> bytes) {
    const auto fault = [](RecoveryFault f) { return DecodedRecovery{f, {}}; };
    const std::size_t magic = std::min(bytes.size(), sizeof kMagic);
    if (!std::equal(bytes.begin(), bytes.begin() + std::ptrdiff_t(magic), kMagic))
        return fault(RecoveryFault::Corrupt);
    if (bytes.size() < 6) return fault(RecoveryFault::Truncated);
    if (get(bytes, 4, 2) != kVersion) return fault(RecoveryFault::OtherVersion);
    if (bytes.size() < kHeaderBytes) return fault(RecoveryFault::Truncated);
    const std::size_t name_bytes = get(bytes, 18, 2);
    // The mode says how many pixels follow: a mode no editor has is not a copy of ours.
    if (!find_mode(bytes[7])) return fault(RecoveryFault::Corrupt);
    const std::size_t pixels = pixel_bytes(bytes[7]);
    const std::size_t body = kHeaderBytes + name_bytes + pixels;
    if (bytes.size() < body + 4) return fault(RecoveryFault::Truncated);
    if (bytes.size() > body + 4 || get(bytes, body, 4) != crc32(bytes.first(body)))
        return fault(RecoveryFault::Corrupt);

    DecodedRecovery decoded;
    RecoveryCopy& copy = decoded.copy;
    copy.background = bytes[6];
    copy.mode = bytes[7];
    copy.changed = bytes[8] != 0;
    copy.kept_at = std::int64_t(get(bytes, 10, 8));
    copy.file.assign(bytes.begin() + kHeaderBytes, bytes.begin() + kHeaderBytes + name_bytes);
    std::copy_n(bytes.begin() + std::ptrdiff_t(kHeaderBytes + name_bytes), pixels,
                copy.pixels.begin());
    // A sound checksum over values this editor never writes: not a copy of ours.
    const bool sound =
        copy.background < 16 && find_mode(copy.mode) != nullptr && bytes[8] < 2 &&
        std::all_of(copy.pixels.begin(), copy.pixels.end(), [](std::uint8_t p) { return p < 16; });
    return sound ? decoded : fault(RecoveryFault::Corrupt);
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
