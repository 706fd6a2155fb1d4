#pragma once
#include "colour/lab.h"
#include "picture/picture.h"
#include <cstdint>

// What painting does when a plot would leave its 4 x 8 cell with more colours than a C64 shows
// there: three besides the background, or in FLI two of each 4 x 1 row's own and one that all
// eight rows share. The artist's choice. No Qt.
enum class FullCell : std::uint8_t {
    KeepColours,   // the picture model's own rule, unchanged: the start's choice
    RefuseFourth,  // such a plot is refused, any other accepted
    ReplaceColour, // the colour under the pointer (or the area's rarest) takes the new one
    NearestColour, // the area's colour nearest to the new one is painted instead
    PaintFreely,   // every plot is accepted
};
constexpr int kFullCellChoices = 5;

// What one plot did: whether the target was written, with which colour, whether other pixels
// of its area took the new colour too, and what the last judgement's analysis found there
// before the write.
struct Plotted {
    bool accepted = false;
    std::uint8_t color = 0;
    bool area_recoloured = false;
    Analysis found;
};

// Plots `color` at the pixel under `choice`. `shown` is the palette the views show, in which
// the nearest colour is measured.
Plotted plot_as_chosen(PictureModel& model, FullCell choice, std::uint8_t format,
                       std::int32_t column, std::int32_t row, std::uint8_t color,
                       const LabPalette& shown);

// The area whose colours a plot under the new choices takes or recolours: the mode's colour
// area (the cell, or in FLI the rows that show one screen's colours: the row, or the picture's
// last four rows). A recolouring reaches no further than the cell.
using PlotArea = PixelArea;
PlotArea plot_area(std::uint8_t format, std::int32_t column, std::int32_t row);
