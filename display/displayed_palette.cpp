#include "display/displayed_palette.h"
#include <algorithm>

namespace {

PaletteId shown = PaletteId::Vexlor;

constexpr std::string_view kKeys[] = {"Vexlor", "Pepto", "Colodore", "VICE"};

} // namespace

void show_palette(PaletteId id) { shown = id; }

PaletteId shown_palette() { return shown; }

const Palette& shown_colors() { return palette_colors(shown); }

std::string_view palette_key(PaletteId id) { return kKeys[std::size_t(id)]; }

std::optional<PaletteId> palette_from_key(std::string_view key) {
    const auto* found = std::find(std::begin(kKeys), std::end(kKeys), key);
    if (found == std::end(kKeys)) return std::nullopt;
    return PaletteId(found - std::begin(kKeys));
}
