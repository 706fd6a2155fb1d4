#pragma once
#include "document/document.h"
#include <cstdint>

// The picture's background colour is the one colour every cell shares (the C64's $D021): the
// right button paints it, Clear fills with it, and the cell rules leave it out of a cell's
// three colours.

// Gives the picture of `edit` the background `color`. Recolouring turns every pixel of the old
// background into the new one, as a C64 shows them; otherwise the pixels keep their colours and
// only which colour is shared changes. False when nothing changed.
bool set_background(Document::Edit& edit, std::uint8_t color, bool recolour);

// The background for a picture that comes without one (a .vxr file): `current` while every
// cell fits the limit with it; otherwise the first colour, black and then the lowest index,
// with which every cell fits; otherwise, when none does, `current`. The picture is multicolour
// (160 x 200).
std::uint8_t background_for_loaded(ConstPixelGrid picture, std::uint8_t current);
