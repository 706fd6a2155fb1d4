#include "c64/render.h"
#include "c64/sizes.h"
#include "colour/pal_display.h"
#include "geometry/geometry.h"
#include <algorithm>

static int scale_of(const RenderOptions& options) { return std::clamp(options.scale, 1, 4); }

// The screen pixels of a C64 line: the hires bitmap's pixels.
static constexpr int kScreenColumns = kHiresColumns;

// The picture's pixels a row, and the screen pixels each covers.
static int picture_columns(const RenderOptions& options) {
    return options.hires ? kScreenColumns : kMulticolorColumns;
}
static int pixel_aspect(const RenderOptions& options) {
    return kScreenColumns / picture_columns(options);
}

// Screen pixels a row of the image shows one in `step` of.
static int screen_step(const RenderOptions& options) {
    return options.double_width || options.pal || options.hires ? 1 : 2;
}

int rendered_width(const RenderOptions& options) {
    return kScreenColumns / screen_step(options) * scale_of(options);
}

int rendered_height(const RenderOptions& options) { return kBitmapRows * scale_of(options); }

// The colour of each screen pixel of a line, 320 of them, line by line.
static std::vector<TColor> screen_colors(ConstPixelGrid picture, const RenderOptions& options) {
    const Palette& colors = palette_colors(options.palette);
    const int columns = picture_columns(options), aspect = pixel_aspect(options);
    if (options.pal) return PalDisplay(colors).show_picture(picture, aspect);
    std::vector<TColor> shown;
    shown.reserve(std::size_t(kScreenColumns) * kBitmapRows);
    for (int i = 0; i < columns * kBitmapRows; ++i)
        shown.insert(shown.end(), std::size_t(aspect), colors[picture.pixels[i] & 0x0F]);
    return shown;
}

RgbImage render_picture(ConstPixelGrid picture, const RenderOptions& options) {
    require_size(picture, picture_columns(options), kBitmapRows, "render_picture");
    const int scale = scale_of(options);
    // At 160 x 200 every other screen pixel is left out.
    const int step = screen_step(options);
    RgbImage image{rendered_width(options), rendered_height(options), {}};
    image.rgb.resize(std::size_t(image.width) * std::size_t(image.height) * 3);
    const std::vector<TColor> shown = screen_colors(picture, options);
    const std::size_t line_bytes = std::size_t(image.width) * 3;
    for (int row = 0; row < kBitmapRows; ++row) {
        std::uint8_t* const first = image.rgb.data() + std::size_t(row) * scale * line_bytes;
        std::uint8_t* out = first;
        for (int x = 0; x < kScreenColumns; x += step) {
            const TColor color = shown[std::size_t(row * kScreenColumns + x)];
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
