#pragma once
#include "colour/palettes.h"
#include <optional>
#include <string_view>

// The palette every view shows (the zoom view, the preview, the information window, the
// palette bar, the conversion dialog and the PNG export), chosen at run time: Vexlor's own
// until another is chosen. This is its one owner; the views read the colours here.
void show_palette(PaletteId id);
PaletteId shown_palette();
const Palette& shown_colors();

// Only 16 entries exist; a stray byte above 15 shows as the colour of its low four bits.
inline TColor palette_color(unsigned index) { return shown_colors()[index & 0x0F]; }

// The palette's name in the settings file, and back; nothing for a name no palette has.
std::string_view palette_key(PaletteId id);
std::optional<PaletteId> palette_from_key(std::string_view key);
