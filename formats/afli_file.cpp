// AFLI files: eight screens a kilobyte apart (1000 bytes used, screen n for pixel row n of each
// cell), then the bitmap at $6000, padded to $7FFF: 16386 bytes loading at $4000.
#include "formats/layout_codec.h"
#include "formats/rows.h"
#include <algorithm>

namespace {

constexpr std::size_t kScreenBytes = 1024;
constexpr std::size_t kBitmapAt = kFliScreens * kScreenBytes;

class AfliFormat : public C64PictureFormat {
public:
    AfliFormat()
        : C64PictureFormat({.name = "AFLI",
                            .extensions = {"afl", "afli"},
                            .offered = {Command::Import, Command::Save, Command::ExportOther},
                            .filter_name = "AFLI pictures",
                            .kind = fmtAfli,
                            .file = {0x4000, 16386}}) {}

    FormatRead read(std::span<const std::uint8_t> file) const override {
        if (std::string why = wrong_address_or_length(*this, file); !why.empty())
            return {{}, std::move(why)};
        const std::span<const std::uint8_t> data = file.subspan(2);
        AfliImage image;
        for (std::size_t n = 0; n < image.screens.size(); ++n)
            std::copy_n(data.begin() + std::ptrdiff_t(n * kScreenBytes), kCells,
                        image.screens[n].begin());
        std::copy_n(data.begin() + std::ptrdiff_t(kBitmapAt), kBitmapBytes, image.bitmap.begin());
        return {image, {}};
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        const AfliImage& image = std::get<AfliImage>(picture.encoded);
        std::vector<std::uint8_t> file = load_address_bytes(load_address());
        file.resize(length());
        const auto data = file.begin() + 2;
        for (std::size_t n = 0; n < image.screens.size(); ++n)
            std::copy(image.screens[n].begin(), image.screens[n].end(),
                      data + std::ptrdiff_t(n * kScreenBytes));
        std::copy(image.bitmap.begin(), image.bitmap.end(), data + std::ptrdiff_t(kBitmapAt));
        return file;
    }
};

} // namespace

const FileFormat& afli_format() {
    static const AfliFormat format;
    return format;
}
