#include "reference/reference_image.h"
#include "conversion/fit.h"
#include <algorithm>

ReferenceImage reference_from_image(const RgbImage& image) {
    PictureRgb fitted = fit_rgb_to_picture(image);
    return {std::move(fitted.image), {fitted.left, fitted.top, fitted.width, fitted.height}};
}

ReferenceImage reference_from_picture(const std::array<std::uint8_t, kPictureBytes>& picture,
                                      const Palette& colors) {
    ReferenceImage reference{{kPictureColumns, kPictureRows, {}},
                             {0, 0, kPictureColumns, kPictureRows}};
    reference.rgb.rgb.reserve(picture.size() * 3);
    for (std::uint8_t index : picture) {
        const TColor color = colors[index & 0x0F];
        reference.rgb.rgb.insert(reference.rgb.rgb.end(),
                                 {std::uint8_t(RedOf(color)), std::uint8_t(GreenOf(color)),
                                  std::uint8_t(BlueOf(color))});
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
    const int from = std::max(first, image->area.left);
    const int to = std::min(first + columns, image->area.right() + 1);
    for (int column = from; column < to; ++column) {
        const std::uint8_t* rgb = image->rgb.pixel(column, row);
        TColor* parts = shown + std::ptrdiff_t(column - first) * repeat;
        for (int part = 0; part < repeat; ++part)
            parts[part] = RGBColor(mixed(RedOf(parts[part]), rgb[0], opacity),
                                   mixed(GreenOf(parts[part]), rgb[1], opacity),
                                   mixed(BlueOf(parts[part]), rgb[2], opacity));
    }
}
