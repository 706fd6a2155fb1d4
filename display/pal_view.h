#pragma once
#include "colour/pal_display.h"

// Whether the views show the picture as a PAL television does (View > PAL Display): the preview
// when it is on, and the zoom view too when that is asked for. Off at first.
struct PalView {
    bool preview = false;
    bool zoom_view = false;
    bool in_zoom_view() const { return preview && zoom_view; }
};
void show_pal_view(PalView view);
PalView shown_pal_view();

// The PAL display of the colours the views show (display/displayed_palette.h), made again only
// when the palette changes.
const PalDisplay& shown_pal_display();
