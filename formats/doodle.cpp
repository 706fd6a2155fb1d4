// Doodle, plain and packed: the screen (a kilobyte, 1000 bytes used) and then the bitmap at
// $6000, loading at $5C00. The packed kind (.jj) runs the same 9216 bytes through Koala's
// packed code, `FE value count`; it carries no mark, so only its name tells it apart.
#include "formats/escape_runs.h"
#include "formats/layout_codec.h"
#include "formats/rows.h"

namespace {

constexpr std::uint16_t kLoadAddress = 0x5C00;
constexpr std::size_t kDataBytes = 9216;
constexpr HiresLayout kLayout{.bitmap = 1024, .screen = 0};
constexpr EscapeCode kPackedCode{.escape = 0xFE, .end_mark = false, .value_first = true};
constexpr std::size_t kTrailingBytes = 255;
// Each byte a run of its own (three bytes), and padding.
constexpr std::size_t kLongestPacked = 2 + 3 * kDataBytes + kTrailingBytes;

class PackedDoodleFormat : public C64PictureFormat {
public:
    PackedDoodleFormat()
        : C64PictureFormat({.name = "packed Doodle",
                            .extensions = {"jj"},
                            .offered = {Command::Import, Command::ExportOther},
                            .filter_name = "Packed Doodle pictures",
                            .kind = fmtHires,
                            .file = {kLoadAddress, kDataBytes + 2, kLongestPacked}}) {}

    Fit fit(std::span<const std::uint8_t>) const override { return Fit::ByNameOnly; }
    FormatRead read(std::span<const std::uint8_t> file) const override {
        if (std::string why = wrong_address_or_size(*this, file); !why.empty())
            return {{}, std::move(why)};
        const Unpacked unpacked =
            unpack_escape_runs(file.subspan(2), kPackedCode, kDataBytes, kTrailingBytes);
        if (!unpacked.error.empty()) return {{}, a_picture() + ", but " + unpacked.error};
        return {take_parts(kLayout, unpacked.data), {}};
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        std::vector<std::uint8_t> file = load_address_bytes(load_address());
        append_escape_runs(file, laid_out(kLayout, picture.encoded, kDataBytes), kPackedCode);
        return file;
    }
};

} // namespace

const FileFormat& doodle_format() {
    static const HiresLayoutCodec format({.name = "Doodle",
                                          .extensions = {"dd", "ddl"},
                                          .offered = {Command::Import, Command::ExportOther},
                                          .filter_name = "Doodle pictures",
                                          .kind = fmtHires,
                                          .file = {kLoadAddress, kDataBytes + 2}},
                                         kLayout);
    return format;
}

const FileFormat& packed_doodle_format() {
    static const PackedDoodleFormat format;
    return format;
}
