#pragma once
#include "colour/palettes.h"

// The palette the views show, kept between runs in the settings (organisation and application
// "Vexlor"). With nothing stored, or a name no palette has, Vexlor's own.
PaletteId stored_palette();
void store_palette(PaletteId id);
