#pragma once
#include "colour/palettes.h"
#include <optional>
#include <string_view>

// Which palette the views show, chosen at run time: `palette` and `palette_color` (picture.h)
// follow it. Vexlor's own until another is chosen.
void show_palette(PaletteId id);
PaletteId shown_palette();

// The palette's name in the settings file, and back; nothing for a name no palette has.
std::string_view palette_key(PaletteId id);
std::optional<PaletteId> palette_from_key(std::string_view key);
