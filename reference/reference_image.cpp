#include "reference/reference_image.h"
#include "conversion/fit.h"
#include <algorithm>

ReferenceImage reference_from_image(const RgbImage& image, const std::optional<PixelArea>& placed) {
    PictureRgb fitted = fit_rgb_to_picture(image, placed);
    return {std::move(fitted.image), {fitted.left, fitted.top, fitted.width, fitted.height}};
}

ReferenceImage reference_from_picture(const StoredPicture& picture, int columns,
                                      const Palette& colors) {
    ReferenceImage reference{{kPictureColumns, kPictureRows, {}},
                             {0, 0, kPictureColumns, kPictureRows}};
    reference.rgb.rgb.reserve(std::size_t(kPictureBytes) * 3);
    const int per_pixel = columns / kPictureColumns;
    for (int index = 0; index < kPictureBytes; ++index) {
        unsigned red = 0, green = 0, blue = 0;
        for (int part = 0; part < per_pixel; ++part) {
            const TColor color = colors[picture[std::size_t(index * per_pixel + part)] & 0x0F];
            red += RedOf(color), green += GreenOf(color), blue += BlueOf(color);
        }
        reference.rgb.rgb.insert(reference.rgb.rgb.end(),
                                 {std::uint8_t(red / unsigned(per_pixel)),
                                  std::uint8_t(green / unsigned(per_pixel)),
                                  std::uint8_t(blue / unsigned(per_pixel))});
    }
    return reference;
}

namespace {

unsigned mixed(unsigned under, unsigned over, int opacity) {
    return (under * unsigned(100 - opacity) + over * unsigned(opacity) + 50) / 100;
}

} // namespace

void ReferenceLayer::blend_row(int row, int first, int columns, int repeat, TColor* shown) const {
    if (!image || opacity <= 0 || row < image->area.top || row > image->area.bottom()) return;
    const int per_pixel = picture_columns / kPictureColumns;
    const int from = std::max(first, image->area.left * per_pixel);
    const int to = std::min(first + columns, (image->area.right() + 1) * per_pixel);
    for (int column = from; column < to; ++column) {
        const std::uint8_t* rgb = image->rgb.pixel(column / per_pixel, row);
        TColor* parts = shown + std::ptrdiff_t(column - first) * repeat;
        for (int part = 0; part < repeat; ++part)
            parts[part] = RGBColor(mixed(RedOf(parts[part]), rgb[0], opacity),
                                   mixed(GreenOf(parts[part]), rgb[1], opacity),
                                   mixed(BlueOf(parts[part]), rgb[2], opacity));
    }
}
