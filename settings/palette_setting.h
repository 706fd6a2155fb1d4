#pragma once
#include "colour/palettes.h"
#include "display/pal_view.h"

// The palette the views show, kept between runs in the settings (organisation and application
// "Vexlor"). With nothing stored, or a name no palette has, Vexlor's own.
PaletteId stored_palette();
void store_palette(PaletteId id);

// View > PAL Display and whether it shows in the zoom view too, kept the same way; off with
// nothing stored.
PalView stored_pal_view();
void store_pal_view(PalView view);
