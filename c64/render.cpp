#include "c64/render.h"
#include "picture/picture.h"
#include <algorithm>

static int scale_of(const RenderOptions& options) { return std::clamp(options.scale, 1, 4); }

int rendered_width(const RenderOptions& options) {
    return kPictureColumns * (options.double_width ? 2 : 1) * scale_of(options);
}

int rendered_height(const RenderOptions& options) { return kPictureRows * scale_of(options); }

RgbImage render_picture(const std::uint8_t* picture, const RenderOptions& options) {
    const int scale = scale_of(options);
    const int pixel_width = (options.double_width ? 2 : 1) * scale;
    RgbImage image{rendered_width(options), rendered_height(options), {}};
    image.rgb.resize(std::size_t(image.width) * std::size_t(image.height) * 3);
    const Palette& colors = palette_colors(options.palette);
    const std::size_t line_bytes = std::size_t(image.width) * 3;
    for (int row = 0; row < kPictureRows; ++row) {
        std::uint8_t* const first = image.rgb.data() + std::size_t(row) * scale * line_bytes;
        std::uint8_t* out = first;
        for (int column = 0; column < kPictureColumns; ++column) {
            const TColor color = colors[picture[row * kPictureColumns + column] & 0x0F];
            for (int i = 0; i < pixel_width; ++i) {
                *out++ = std::uint8_t(RedOf(color));
                *out++ = std::uint8_t(GreenOf(color));
                *out++ = std::uint8_t(BlueOf(color));
            }
        }
        for (int copy = 1; copy < scale; ++copy)
            std::copy_n(first, line_bytes, first + copy * line_bytes);
    }
    return image;
}
