#include "background/background.h"
#include "c64/multicolor.h"
#include <algorithm>

bool set_background(Document::Edit& edit, std::uint8_t color, bool recolour) {
    Document& document = edit.document();
    color &= 0x0F;
    const std::uint8_t old = document.back_color;
    if (color == old) return false;
    if (recolour) {
        const PixelGrid pixels = edit.pixels(document.whole());
        std::replace(pixels.pixels, pixels.pixels + pixels.width * pixels.height, old, color);
    }
    edit.set_background(color);
    return true;
}

std::uint8_t background_for_loaded(ConstPixelGrid picture, std::uint8_t current) {
    const auto fits = [&](std::uint8_t background) {
        return inexact_cells(picture, background).none();
    };
    if (fits(current)) return current;
    for (std::uint8_t color = 0; color < 16; ++color)
        if (fits(color)) return color;
    return current;
}
