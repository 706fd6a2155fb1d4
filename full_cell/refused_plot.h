#pragma once
#include "geometry/geometry.h"
#include "modes/mode.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the editor tells of a plot the colour limit refused: the full cell, or row of one, and
// the colours that fill it, for the status bar and the zoom view's flash. No Qt.
struct FullArea {
    PixelArea cell;   // the character cell that holds the pixel
    PixelPos cell_at; // its column and row, counted in cells from the picture's corner
    // The part of the cell whose colours are counted: the cell, or in FLI and AFLI the pixel's
    // row (the last four rows of the picture together, which show one screen's colours).
    PixelArea area;
    // The colours the area holds, the background left out where the mode has one, in the
    // order met reading its rows from the top, each left to right.
    std::vector<std::uint8_t> colours;
};

// The area of the mode that holds `at`, in `picture` on the background `back`; none where `at`
// lies outside the picture.
std::optional<FullArea> full_area_at(const Mode& mode, ConstPixelGrid picture, std::uint8_t back,
                                     PixelPos at);

// "Cell 17, 5 is full: white, red, cyan"; of a row, "Row 3 of cell 17, 5 is full: …" (rows
// counted from 0 at the cell's top, as cells are from the corner); of the last rows together,
// "Rows 4 to 7 of cell 17, 24 are full: …".
std::string full_area_text(const FullArea& full);
