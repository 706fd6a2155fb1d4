#include "background/background.h"
#include "c64/fli.h"
#include "c64/multicolor.h"
#include <algorithm>

bool set_background(PictureModel& model, std::uint8_t color, bool recolour) {
    color &= 0x0F;
    const std::uint8_t old = model.back_color;
    if (color == old) return false;
    if (recolour) std::replace(model.picture.begin(), model.picture.end(), old, color);
    model.back_color = color;
    return true;
}

int cells_over_limit(const std::uint8_t* picture, std::uint8_t background) {
    return int(inexact_cells(picture, background).count());
}

int fli_rows_over_limit(const std::uint8_t* picture, std::uint8_t background) {
    return int(encode_fli(picture, background).inexact.count());
}

std::uint8_t background_for_loaded(const std::uint8_t* picture, std::uint8_t current) {
    if (cells_over_limit(picture, current) == 0) return current;
    for (std::uint8_t color = 0; color < 16; ++color)
        if (cells_over_limit(picture, color) == 0) return color;
    return current;
}
