// Amica Paint: packed with `$C2 count value` runs and ended by `$C2 $00`. Unpacked it is
// Koala's layout followed by a 256-byte colour-cycling table, which the writer leaves empty.
#include "formats/escape_runs.h"
#include "formats/layout_codec.h"
#include "formats/rows.h"

namespace {

constexpr EscapeCode kCode{0xC2, true};
constexpr std::size_t kDataBytes = 10257;
constexpr PartsLayout kLayout{.bitmap = 0, .screen = 8000, .color = 9000, .background = 10000};
// Padding that a copy off a C64 disk may add after the end mark.
constexpr std::size_t kTrailingBytes = 255;
// Each byte a run of its own (three bytes), the end mark, the padding.
constexpr std::size_t kLongest = 2 + 3 * kDataBytes + 2 + kTrailingBytes;

class AmicaPaintFormat : public C64PictureFormat {
public:
    AmicaPaintFormat()
        : C64PictureFormat(paint_program("Amica Paint", {"ami"}, Written::Yes,
                                         {0x4000, kDataBytes + 2, kLongest})) {}

    // Only data that end with the end mark exactly where the picture does read.
    Fit fit(std::span<const std::uint8_t>) const override { return Fit::Marked; }
    FormatRead read(std::span<const std::uint8_t> file) const override {
        if (std::string why = wrong_address_or_size(*this, file); !why.empty())
            return {{}, std::move(why)};
        const Unpacked unpacked =
            unpack_escape_runs(file.subspan(2), kCode, kDataBytes, kTrailingBytes);
        if (!unpacked.error.empty()) return {{}, a_picture() + ", but " + unpacked.error};
        return {take_parts(kLayout, unpacked.data), {}};
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        std::vector<std::uint8_t> file = load_address_bytes(load_address());
        append_escape_runs(file, laid_out(kLayout, picture.encoded, kDataBytes), kCode);
        return file;
    }
};

} // namespace

const FileFormat& amica_paint_format() {
    static const AmicaPaintFormat format;
    return format;
}
