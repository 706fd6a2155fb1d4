#pragma once
#include "c64/multicolor.h"
#include <random>

// A random picture in which every cell holds at most three colours besides `background`.
inline PictureBytes random_encodable_picture(std::mt19937& random, std::uint8_t background) {
    PictureBytes picture{};
    std::uniform_int_distribution<int> color(0, 15), slot(0, 3);
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint8_t colors[4] = {background, std::uint8_t(color(random)),
                                        std::uint8_t(color(random)), std::uint8_t(color(random))};
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] = colors[slot(random)];
    }
    return picture;
}

inline void fill_cell(PictureBytes& picture, int cell, std::uint8_t color) {
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        picture[cell_pixel_offset(cell, pixel)] = color;
}
