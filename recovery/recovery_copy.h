#pragma once
#include "picture/picture.h"
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The copy of the picture a running editor keeps aside, to be offered back should it end
// without closing: everything that belongs to the picture, and when it was kept.
struct RecoveryCopy {
    // Colour indices, row by row, as many as the mode's shape has; the rest stay 0.
    std::array<std::uint8_t, kStorageBytes> pixels{};
    std::uint8_t background = 0;
    std::uint8_t mode = fmtMulticolor;
    bool changed = false;     // since the picture was last opened or saved
    std::int64_t kept_at = 0; // seconds since 1970-01-01 UTC
    std::string file;         // the picture's file (UTF-8), empty when it has none

    bool operator==(const RecoveryCopy&) const = default;
};

// Why a copy cannot be taken back.
enum class RecoveryFault : std::uint8_t { None, Truncated, Corrupt, OtherVersion };

struct DecodedRecovery {
    RecoveryFault fault = RecoveryFault::None;
    RecoveryCopy copy; // meaningful when fault is None
};

// The largest copy there can be: a file name is at most 65535 bytes.
constexpr std::size_t kMaxRecoveryCopyBytes = 20 + 65535 + kStorageBytes + 4;

// "VXRC", a version, the background, mode and changed flag, the time, the file's name, the
// pixels of the mode's shape (160 x 200, or 320 x 200 in hires), and a CRC-32 of all that comes
// before it, all little-endian.
std::vector<std::uint8_t> encode_recovery_copy(const RecoveryCopy& copy);
// Every byte is checked: a copy that is cut short, damaged, or written by another version
// is refused with that fault, never half taken.
DecodedRecovery decode_recovery_copy(std::span<const std::uint8_t> bytes);

// The fault as a user reads it: "it is cut short".
const char* describe(RecoveryFault fault);
