#pragma once
#include "conversion/fit.h"
#include "conversion/quality.h"
#include "modes/mode.h"

// A dither that searches (direct binary search, with the colour areas' choices searched too).
// From a picture that keeps the mode's limits it visits each cell and tries, for each of its
// colour areas (and in FLI for the colour-RAM colour the cell's rows share), each colour that
// could stand in for one of the area's own, and for each pixel each colour its area shows. A
// change is kept when it lowers the error the eye sees: the difference from the target after a
// Gaussian blur of both as shown (the mode's pixel aspect, in linear light), weighed at each
// place as CIEDE2000 weighs a small difference at the blurred target's colour. Passes repeat
// until one changes almost nothing or the budget of processor time is spent. Every change keeps
// the area within the mode's limits; the hidden columns, and any cell the start leaves over its
// limits, stay as they are.
struct SearchSettings {
    float blur = kViewingBlur; // sigma in screen pixels: the viewing distance
    double cpu_seconds = 1.2;  // processor time for the search, after the start
    SearchProgress progress;   // after each pass
};

StoredPicture search_dither(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                            std::uint8_t background, const StoredPicture& start,
                            const SearchSettings& settings = {});
