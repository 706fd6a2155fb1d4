#pragma once
#include "c64/fli.h"
#include "c64/hires.h"
#include "c64/multicolor.h"
#include <variant>

// A C64 picture as a file holds it, every colour a C64 colour number: one alternative for each
// kind of picture.
using C64Image = std::variant<MulticolorImage, FliImage, HiresImage, AfliImage>;

// A picture (Vexlor indices) encoded for the C64, with how many of its parts (cells; in FLI and
// AFLI, rows of a cell) could not be shown exactly.
struct EncodedPicture {
    C64Image image;
    int inexact = 0;
    int parts = 0; // how many the picture has
};

// Each kind's encoding of a picture of its shape on `background` (a Vexlor index; the hires
// kinds have none and ignore it).
EncodedPicture encoded_multicolor(ConstPixelGrid picture, std::uint8_t background);
EncodedPicture encoded_fli(ConstPixelGrid picture, std::uint8_t background);
EncodedPicture encoded_hires(ConstPixelGrid picture, std::uint8_t background);
EncodedPicture encoded_afli(ConstPixelGrid picture, std::uint8_t background);
