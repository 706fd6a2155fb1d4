#pragma once
#include "picture/picture.h"
#include <cstdint>

// The picture's background colour is the one colour every cell shares (the C64's $D021): the
// right button paints it, Clear fills with it, and the cell rules leave it out of a cell's
// three colours.

// Gives `model` the background `color`. Recolouring turns every pixel of the old background
// into the new one, as a C64 shows them; otherwise the pixels keep their colours and only which
// colour is shared changes. False when nothing changed.
bool set_background(PictureModel& model, std::uint8_t color, bool recolour);

// How many cells hold more than three colours besides `background`.
int cells_over_limit(const std::uint8_t* picture, std::uint8_t background);

// How many 4 x 1 rows an FLI picture on `background` cannot show exactly.
int fli_rows_over_limit(const std::uint8_t* picture, std::uint8_t background);

// The background for a picture that comes without one (a .vxr file): `current` while every
// cell fits the limit with it; otherwise the first colour, black and then the lowest index,
// with which every cell fits; otherwise, when none does, `current`.
std::uint8_t background_for_loaded(const std::uint8_t* picture, std::uint8_t current);
