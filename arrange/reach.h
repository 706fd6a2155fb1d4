#pragma once
#include "arrange/tiling.h"

// Keeping the frame's inner windows within the user's reach. Plain C++, in the pixels of the
// area that holds the windows, its top-left corner at (0, 0), as the tiling's are.

// Whether enough of a window's title bar, `title_height` high across the top of `window`, lies
// within the area to take hold of and drag the window by.
bool title_in_reach(const Box& window, int title_height, int area_width, int area_height);

// The place nearest the window's own at which it lies within the area; a window larger than
// the area keeps its top-left corner, and with it its title bar, in view.
Place into_view(const Box& window, int area_width, int area_height);
