#pragma once
#include "c64/sprite_records.h"
#include "picture/picture.h"
#include "reference/reference_image.h"
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A picture as a recovery copy keeps it: everything that belongs to it but its history.
struct KeptPage {
    // Colour indices, row by row, as many as the mode's shape has; the rest stay 0.
    StoredPicture pixels{};
    std::uint8_t background = 0;
    std::uint8_t mode = fmtMulticolor;
    bool changed = false; // since the picture was last opened or saved
    std::string file;     // the picture's file (UTF-8), empty when it has none
    std::optional<ReferenceImage> reference;
    SpriteSet sprites = {};

    bool operator==(const KeptPage&) const = default;
};

// The copy of the picture a running editor keeps aside, to be offered back should it end
// without closing: the page shown, the spare page if there is one, which of the two pages the
// one shown is, and when it was kept.
struct RecoveryCopy : KeptPage {
    std::int64_t kept_at = 0; // seconds since 1970-01-01 UTC
    std::uint8_t page_shown = 1;
    std::optional<KeptPage> spare;

    bool operator==(const RecoveryCopy&) const = default;
};

// Why a copy cannot be taken back.
enum class RecoveryFault : std::uint8_t { None, Truncated, Corrupt, OtherVersion };

struct DecodedRecovery {
    RecoveryFault fault = RecoveryFault::None;
    RecoveryCopy copy; // meaningful when fault is None
};

// The largest copy there can be: two pages of the widest mode, each with a file name of at
// most 65535 bytes, a reference image (kept at 160 x 200 in every mode) and 65535 sprites.
constexpr std::size_t kMaxRecoveryCopyBytes =
    16 + 2 * (6 + 65535 + kStorageBytes + 8 + 3 * kPictureBytes + 4 + 65535 * kSpriteRecordBytes) +
    4;

// "VXRC", a version, which page is shown, how many pages there are, the time, then each page
// (the background, mode, changed flag, whether a reference image comes, the file's name, the
// pixels of the mode's shape (160 x 200, or 320 x 200 in hires), and the reference image's area
// and colours, and its sprites as c64/sprite_records.h keeps them), and a CRC-32 of all that
// comes before it, all little-endian. Copies of the first version, which held one page and no
// reference image, and of the second, which held no sprites, are read too.
std::vector<std::uint8_t> encode_recovery_copy(const RecoveryCopy& copy);
// Every byte is checked: a copy that is cut short, damaged, or written by another version
// is refused with that fault, never half taken.
DecodedRecovery decode_recovery_copy(std::span<const std::uint8_t> bytes);

// The fault as a user reads it: "it is cut short".
const char* describe(RecoveryFault fault);
