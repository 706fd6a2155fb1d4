// Packed Drazpaint: "DRAZPAINT 1.4", the escape byte, then `escape count value` runs that
// unpack to the plain file's layout. "DRAZLACE! 1.0" marks the interlaced kind, two bitmaps that
// no single picture holds.
#include "formats/escape_runs.h"
#include "formats/layout_codec.h"
#include "formats/rows.h"
#include <algorithm>

namespace {

constexpr std::string_view kSignature = "DRAZPAINT 1.4";
constexpr std::string_view kInterlaced = "DRAZLACE! 1.0";
constexpr std::size_t kEscapeAt = 2 + kSignature.size();
constexpr std::size_t kDataBytes = 10049;
constexpr PartsLayout kLayout{.bitmap = 2048, .screen = 1024, .color = 0, .background = 10048};
constexpr std::size_t kTrailingBytes = 255;
// The signature and the escape byte, each byte a run of its own (three bytes), the padding.
constexpr std::size_t kLongest = kEscapeAt + 1 + 3 * kDataBytes + kTrailingBytes;

bool starts_with(std::span<const std::uint8_t> file, std::string_view text) {
    return file.size() >= 2 + text.size() && std::equal(text.begin(), text.end(), file.begin() + 2);
}

class DrazpaintPackedFormat : public C64PictureFormat {
public:
    DrazpaintPackedFormat()
        : C64PictureFormat(paint_program("packed Drazpaint", {"drz"}, Written::Yes,
                                         {0x5800, kDataBytes + 2, kLongest})) {}

    // Only a file with the signature reads.
    Fit fit(std::span<const std::uint8_t>) const override { return Fit::Marked; }
    bool signed_as_it(std::span<const std::uint8_t> file) const override {
        return starts_with(file, kSignature) || starts_with(file, kInterlaced);
    }
    FormatRead read(std::span<const std::uint8_t> file) const override {
        if (std::string why = wrong_address_or_size(*this, file); !why.empty())
            return {{}, std::move(why)};
        if (starts_with(file, kInterlaced))
            return {{}, "it is an interlaced Drazlace picture, two bitmaps shown in turn"};
        if (!starts_with(file, kSignature) || file.size() <= kEscapeAt)
            return {{},
                    format_text("%s starts with \"%.*s\"", a_picture().c_str(),
                                int(kSignature.size()), kSignature.data())};
        const Unpacked unpacked = unpack_escape_runs(
            file.subspan(kEscapeAt + 1), {file[kEscapeAt], false}, kDataBytes, kTrailingBytes);
        if (!unpacked.error.empty()) return {{}, a_picture() + ", but " + unpacked.error};
        return {take_parts(kLayout, unpacked.data), {}};
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        const std::vector<std::uint8_t> data = laid_out(kLayout, picture.encoded, kDataBytes);
        const EscapeCode code{rarest_byte(data), false};
        std::vector<std::uint8_t> file = load_address_bytes(load_address());
        file.insert(file.end(), kSignature.begin(), kSignature.end());
        file.push_back(code.escape);
        append_escape_runs(file, data, code);
        return file;
    }
};

} // namespace

const FileFormat& drazpaint_packed_format() {
    static const DrazpaintPackedFormat format;
    return format;
}
