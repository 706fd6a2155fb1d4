#include "selection/block_exchange.h"
#include "display/displayed_palette.h"
#include <algorithm>

namespace {

constexpr std::size_t kHeaderBytes = 4;

void put_16(std::vector<std::uint8_t>& bytes, int value) {
    bytes.push_back(std::uint8_t(value & 0xFF));
    bytes.push_back(std::uint8_t(value >> 8));
}

int get_16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

Lab pair_lab(const std::uint8_t* first, const std::uint8_t* second) {
    auto mean = [&](int i) {
        return (linear_from_srgb(first[i]) + linear_from_srgb(second[i])) / 2;
    };
    return lab_from_linear(mean(0), mean(1), mean(2));
}

} // namespace

std::vector<std::uint8_t> encode_block(const PixelBlock& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeaderBytes + block.pixels.size());
    put_16(bytes, block.width);
    put_16(bytes, block.height);
    bytes.insert(bytes.end(), block.pixels.begin(), block.pixels.end());
    bytes.insert(bytes.end(), block.mask.begin(), block.mask.end());
    return bytes;
}

std::optional<PixelBlock> decode_block(std::span<const std::uint8_t> bytes,
                                       const PictureShape& picture) {
    if (bytes.size() < kHeaderBytes) return std::nullopt;
    const int width = get_16(bytes, 0), height = get_16(bytes, 2);
    if (width < 1 || width > picture.width || height < 1 || height > picture.height)
        return std::nullopt;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    const auto rest = bytes.subspan(kHeaderBytes);
    if (rest.size() != count && rest.size() != 2 * count) return std::nullopt;
    const auto pixels = rest.first(count), mask = rest.subspan(count);
    if (std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p > 15; }) ||
        std::any_of(mask.begin(), mask.end(), [](std::uint8_t p) { return p > 1; }))
        return std::nullopt;
    PixelBlock block{width, height, {pixels.begin(), pixels.end()}};
    // A mask that holds every pixel is a rectangle's block.
    if (std::count(mask.begin(), mask.end(), 0) > 0) block.mask.assign(mask.begin(), mask.end());
    return block;
}

LabPalette shown_lab_palette() {
    LabPalette colors;
    for (unsigned i = 0; i < colors.size(); ++i) colors[i] = lab_from_color(palette_color(i));
    return colors;
}

PixelBlock block_from_image(const RgbImage& image, const LabPalette& colors,
                            const PictureShape& picture) {
    const bool pairs = picture.pixel_aspect == 2 && image.width > picture.width;
    const int width = std::min(pairs ? (image.width + 1) / 2 : image.width, picture.width);
    const int height = std::min(image.height, picture.height);
    PixelBlock block{width, height, {}};
    block.pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* first = image.pixel(pairs ? 2 * x : x, y);
            const std::uint8_t* second = pairs && 2 * x + 1 < image.width ? first + 3 : first;
            block.pixels.push_back(std::uint8_t(nearest_color(pair_lab(first, second), colors)));
        }
    return block;
}
