#pragma once
#include "c64/fli.h"
#include "picture/picture.h"
#include <algorithm>
#include <random>
#include <vector>

// A multicolour picture as the storage of every mode holds it: its pixels first, then zeros.
inline StoredPicture stored(const PictureBytes& picture) {
    StoredPicture storage{};
    std::copy(picture.begin(), picture.end(), storage.begin());
    return storage;
}

// The multicolour picture's pixels of such storage.
// Two colours in each 8 x 8 cell, one pair for rows 196 to 199, each pixel one of its pair at
// random: a 320 x 200 picture that Hires and AFLI both show exactly.
inline StoredPicture hires_stripes(unsigned seed) {
    std::mt19937 random(seed);
    StoredPicture picture{};
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 320; ++column)
            picture[std::size_t(row * 320 + column)] =
                std::uint8_t((std::min(row, 196) / 8 + column / 8 + int(random() % 2)) % 16);
    return picture;
}

inline PictureBytes multicolour_part(const StoredPicture& storage) {
    PictureBytes picture;
    std::copy_n(storage.begin(), picture.size(), picture.begin());
    return picture;
}

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

// Noise, as a dithered picture's bitmap is, with the run marker FE in one byte of 200, so that
// its packed file is longer than a plain one (but within a plain file's padding).
inline MulticolorImage noisy_image(unsigned seed) {
    std::mt19937 random(seed);
    MulticolorImage image;
    for (std::size_t i = 0; i < image.bitmap.size(); ++i)
        image.bitmap[i] = i % 200 == 3 ? 0xFE : std::uint8_t(random());
    for (std::uint8_t& screen : image.screen) screen = std::uint8_t(random());
    for (std::uint8_t& color : image.color) color = std::uint8_t(random() & 0x0F);
    image.background = 6;
    return image;
}

// The run-length code of packed files: FE value count (0 for 256); a literal FE is a run of one.
inline std::vector<std::uint8_t> pack(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> packed(file.begin(), file.begin() + 2);
    for (std::size_t i = 2; i < file.size();) {
        std::size_t run = 1;
        while (i + run < file.size() && file[i + run] == file[i] && run < 256) ++run;
        if (run >= 4 || file[i] == 0xFE)
            packed.insert(packed.end(), {0xFE, file[i], std::uint8_t(run)});
        else
            packed.insert(packed.end(), file.begin() + std::ptrdiff_t(i),
                          file.begin() + std::ptrdiff_t(i + run));
        i += run;
    }
    return packed;
}

// A random picture that FLI shows exactly on `background`: per cell one shared colour, per row
// two more, the last three rows of the picture with the colours of row 196.
inline PictureBytes random_fli_picture(std::mt19937& random, std::uint8_t background) {
    PictureBytes picture{};
    std::uniform_int_distribution<int> color(0, 15), slot(0, 3);
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint8_t shared = std::uint8_t(color(random));
        std::uint8_t first = 0, second = 0;
        for (int y = 0; y < kCellHeight; ++y) {
            if (screen_row_of(cell / kCellColumns * kCellHeight + y) ==
                cell / kCellColumns * kCellHeight + y)
                first = std::uint8_t(color(random)), second = std::uint8_t(color(random));
            const std::uint8_t colors[4] = {background, first, second, shared};
            for (int x = 0; x < kCellWidth; ++x)
                picture[cell_pixel_offset(cell, y * kCellWidth + x)] = colors[slot(random)];
        }
    }
    return picture;
}

// The FLI picture of such a random picture.
inline FliImage random_fli_image(unsigned seed, std::uint8_t background = 6) {
    std::mt19937 random(seed);
    return encode_fli(multicolor_grid(random_fli_picture(random, background)), background).image;
}
