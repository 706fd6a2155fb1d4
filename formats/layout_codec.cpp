#include "formats/layout_codec.h"
#include <algorithm>

MulticolorImage take_parts(const PartsLayout& layout, std::span<const std::uint8_t> data) {
    MulticolorImage image;
    std::copy_n(data.begin() + std::ptrdiff_t(layout.bitmap), kBitmapBytes, image.bitmap.begin());
    std::copy_n(data.begin() + std::ptrdiff_t(layout.screen), kCells, image.screen.begin());
    if (layout.one_color)
        image.color.fill(data[layout.color]);
    else
        std::copy_n(data.begin() + std::ptrdiff_t(layout.color), kCells, image.color.begin());
    image.background = layout.background ? data[*layout.background] : 0;
    return image;
}

void put_parts(const PartsLayout& layout, const MulticolorImage& image,
               std::span<std::uint8_t> data) {
    std::copy(image.bitmap.begin(), image.bitmap.end(),
              data.begin() + std::ptrdiff_t(layout.bitmap));
    std::copy(image.screen.begin(), image.screen.end(),
              data.begin() + std::ptrdiff_t(layout.screen));
    if (layout.one_color)
        data[layout.color] = image.color[0];
    else
        std::copy(image.color.begin(), image.color.end(),
                  data.begin() + std::ptrdiff_t(layout.color));
    for (const auto& at : {layout.background, layout.background_copy})
        if (at) data[*at] = image.background;
}

HiresImage take_parts(const HiresLayout& layout, std::span<const std::uint8_t> data) {
    HiresImage image;
    std::copy_n(data.begin() + std::ptrdiff_t(layout.bitmap), kBitmapBytes, image.bitmap.begin());
    std::copy_n(data.begin() + std::ptrdiff_t(layout.screen), kCells, image.screen.begin());
    return image;
}

void put_parts(const HiresLayout& layout, const HiresImage& image, std::span<std::uint8_t> data) {
    std::copy(image.bitmap.begin(), image.bitmap.end(),
              data.begin() + std::ptrdiff_t(layout.bitmap));
    std::copy(image.screen.begin(), image.screen.end(),
              data.begin() + std::ptrdiff_t(layout.screen));
}

namespace {

std::string loads_at(const FileFormat& format) {
    return format_text("%s loads at $%04X", format.a_picture().c_str(),
                       unsigned(format.load_address()));
}

std::string wrong_address(const FileFormat& format, std::span<const std::uint8_t> file) {
    if (file.size() < 2 || load_address_of(file) == format.load_address()) return {};
    return loads_at(format);
}

} // namespace

std::string wrong_address_or_size(const FileFormat& format, std::span<const std::uint8_t> file) {
    if (std::string why = wrong_address(format, file); !why.empty()) return why;
    if (file.size() < 2) return loads_at(format);
    if (file.size() > format.longest())
        return format_text("%s takes at most %zu", format.a_picture().c_str(), format.longest());
    return {};
}

std::vector<std::uint8_t> load_address_bytes(std::uint16_t address) {
    return {std::uint8_t(address & 0xFF), std::uint8_t(address >> 8)};
}

std::string wrong_address_or_length(const FileFormat& format, std::span<const std::uint8_t> file) {
    if (std::string why = wrong_address(format, file); !why.empty()) return why;
    if (file.size() >= format.length() && file.size() <= format.longest()) return {};
    if (format.longest() > format.length())
        return format_text("%s takes %zu to %zu", format.a_picture().c_str(), format.length(),
                           format.longest());
    return format_text("%s takes %zu", format.a_picture().c_str(), format.length());
}
