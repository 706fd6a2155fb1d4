#include "display/pal_view.h"
#include "display/displayed_palette.h"
#include <optional>

namespace {

PalView shown_view;

} // namespace

void show_pal_view(PalView view) { shown_view = view; }

PalView shown_pal_view() { return shown_view; }

const PalDisplay& shown_pal_display() {
    static PaletteId made_for = shown_palette();
    static std::optional<PalDisplay> display;
    if (!display || made_for != shown_palette()) {
        made_for = shown_palette();
        display.emplace(shown_colors());
    }
    return *display;
}
