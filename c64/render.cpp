#include "c64/render.h"
#include "colour/pal_display.h"
#include "picture/picture.h"
#include <algorithm>

static int scale_of(const RenderOptions& options) { return std::clamp(options.scale, 1, 4); }

static int image_pixels_per_pixel(const RenderOptions& options) {
    return options.double_width || options.pal ? 2 : 1;
}

int rendered_width(const RenderOptions& options) {
    return kPictureColumns * image_pixels_per_pixel(options) * scale_of(options);
}

int rendered_height(const RenderOptions& options) { return kPictureRows * scale_of(options); }

// The colour of each screen pixel of a line, kPictureColumns x 2 of them, line by line.
static std::vector<TColor> screen_colors(const std::uint8_t* picture,
                                         const RenderOptions& options) {
    const Palette& colors = palette_colors(options.palette);
    const ConstPixelGrid grid{picture, kPictureColumns, kPictureRows};
    if (options.pal) return PalDisplay(colors).show_picture(grid, 2);
    std::vector<TColor> shown;
    shown.reserve(std::size_t(kPictureColumns) * 2 * kPictureRows);
    for (int i = 0; i < kPictureColumns * kPictureRows; ++i)
        shown.insert(shown.end(), 2, colors[picture[i] & 0x0F]);
    return shown;
}

RgbImage render_picture(const std::uint8_t* picture, const RenderOptions& options) {
    const int scale = scale_of(options);
    // A screen pixel is half a picture pixel; at 160 x 200 every other one is left out.
    const int step = 2 / image_pixels_per_pixel(options);
    RgbImage image{rendered_width(options), rendered_height(options), {}};
    image.rgb.resize(std::size_t(image.width) * std::size_t(image.height) * 3);
    const std::vector<TColor> shown = screen_colors(picture, options);
    const std::size_t line_bytes = std::size_t(image.width) * 3;
    for (int row = 0; row < kPictureRows; ++row) {
        std::uint8_t* const first = image.rgb.data() + std::size_t(row) * scale * line_bytes;
        std::uint8_t* out = first;
        for (int x = 0; x < kPictureColumns * 2; x += step) {
            const TColor color = shown[std::size_t(row * kPictureColumns * 2 + x)];
            for (int i = 0; i < scale; ++i) {
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
