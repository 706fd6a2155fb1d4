#pragma once
#include "c64/c64_image.h"
#include "c64/hires.h"
#include "clashes/clash_fix.h"
#include "geometry/geometry.h"
#include "modes/picture_format.h"
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// A picture's mode: its size, its cells and the colours they may show, and the rules that follow
// from those. Each mode is one row of the table; code that depends on the mode reads its row
// and never asks which mode it is.

// The colours every area of a cell shows besides its own.
struct SharedColours {
    bool background = true;   // the picture's one background colour ($D021)
    bool cell_colour = false; // one colour that all the areas of a cell share (FLI's colour RAM)
};

struct Mode {
    PictureFormat format;  // the frame's picture_format while the picture is in this mode
    const char* name;      // "Multicolor"; switching to it is the step "Multicolor Mode"
    const char* caption;   // what the frame's caption adds: " [FLI]"
    PictureShape shape;    // the picture's size, its character cell, its pixels' shape
    CellSize colour_area;  // what one set of a cell's colours covers: the cell, or a row of it
    int shared_rows_from;  // from this row down, the rows share one set (FLI: from row 196)
    int own_colours;       // the colours of its own each such area may show
    SharedColours shared;  // and those it shares (hires modes share none)
    const char* area_one;  // what the clash counts call that area: "cell", "row"
    const char* area_many; // "cells", "rows"
    // The plot: the areas a pixel is judged in, in turn, until one accepts it. With no shared
    // background the one area accepts a colour it holds, or one that leaves it showing.
    std::array<CellSize, 2> plot_order;
    int plot_steps;
    // The rules below take the picture's grid, of the mode's shape, and refuse another.
    // Whether a C64 shows the cell of `at` exactly once `color` is written there.
    bool (*shows_with)(ConstPixelGrid picture, std::uint8_t background, PixelPos at,
                       std::uint8_t color);
    // The rows of a cell (4 x 1, or 8 x 1 in hires) the clash marks cover, a C64 being unable to
    // show them exactly.
    CellRowSet (*clash_rows)(ConstPixelGrid picture, std::uint8_t background);
    // The rows of a cell that an export could not show exactly.
    CellRowSet (*inexact_rows)(ConstPixelGrid picture, std::uint8_t background);
    // Fix Colour Clashes, within an area of the picture: makes what it touches showable.
    void (*make_showable)(PixelGrid picture, std::uint8_t background, const LabPalette& shown,
                          const PixelArea& within);
    // The picture encoded for the C64 on `background`, as the mode's files and viewer hold it.
    EncodedPicture (*encode)(ConstPixelGrid picture, std::uint8_t background);
    // The cell columns at the left that no C64 shows in this mode (FLI's and AFLI's three).
    int hidden_cell_columns = 0;

    // The colours an area may hold besides the background.
    int colours_per_area() const { return own_colours + (shared.cell_colour ? 1 : 0); }
    PixelArea whole() const { return {0, 0, shape.width, shape.height}; }
    // The cell, and the colour area, that hold a pixel.
    PixelArea cell_at(PixelPos at) const { return block_at(at, shape.cell); }
    PixelArea colour_area_at(PixelPos at) const {
        const PixelArea area = block_at(at, colour_area);
        if (shared_rows_from >= shape.height || area.top < shared_rows_from) return area;
        return {area.left, shared_rows_from, area.width, shape.height - shared_rows_from};
    }
    // How many colour areas hold a pixel that `marked` is true of: every count of cells (or
    // rows) the user reads is one of these.
    template <class Marked> int areas_with(Marked marked) const;
    // How many colour areas could not be shown exactly: what the background dialog warns of.
    int areas_over_limit(ConstPixelGrid picture, std::uint8_t background) const;
    // Fix Colour Clashes within an area of the picture, and what it changed. With `changeable`,
    // only the pixels it is true of change: the others keep their colours.
    ClashFix fix_clashes(PixelGrid picture, std::uint8_t background, const LabPalette& shown,
                         const PixelArea& within,
                         const std::function<bool(PixelPos)>& changeable = {}) const;
    // The first pixels of `storage` (kStorageBytes) as a picture of this mode's shape.
    PixelGrid grid_of(std::uint8_t* storage) const { return {storage, shape.width, shape.height}; }
    ConstPixelGrid grid_of(const std::uint8_t* storage) const {
        return {storage, shape.width, shape.height};
    }
};

template <class Marked> int Mode::areas_with(Marked marked) const {
    std::vector<bool> counted(std::size_t(shape.width * shape.height));
    int areas = 0;
    for (int row = 0; row < shape.height; ++row)
        for (int column = 0; column < shape.width; ++column) {
            if (!marked(PixelPos{column, row})) continue;
            const PixelArea area = colour_area_at({column, row});
            const auto corner = std::size_t(area.top * shape.width + area.left);
            areas += !counted[corner];
            counted[corner] = true;
        }
    return areas;
}

std::span<const Mode> all_modes();

// Converts the picture in `storage` (kStorageBytes) from one mode's shape to another's: a
// picture of single-width pixels, widened, doubles each pixel; narrowed, each pair of pixels
// becomes one: where they differ, the one whose colour its 8 x 8 cell holds fewer of wins (ink
// over paper, so that a line one pixel wide survives), the left one between equals. Modes of
// one shape leave it as it is.
void convert_shape(const Mode& from, const Mode& to, std::uint8_t* storage);

// What taking a picture to a mode of another shape did to it.
struct ShapeChange {
    ClashFix fix;      // what the new mode could not show, fixed, in its own areas and pixels
    int changed = 0;   // the pixels of the screen (320 x 200) that show another colour now
    int on_screen = 0; // how many the screen has; 0 where the shape stayed
};

// A change of mode between shapes, as Picture > Mode makes it and the converter too: the
// picture in `storage` (kStorageBytes) converted to the new shape (convert_shape), then whatever
// the new mode cannot show fixed on `background` (`to.fix_clashes`, colours measured in `shown`).
// Modes of one shape leave the picture as it is.
ShapeChange change_shape(const Mode& from, const Mode& to, std::uint8_t* storage,
                         std::uint8_t background, const LabPalette& shown);
// The row with that picture_format value; none for a value no mode has.
const Mode* find_mode(std::uint8_t format);
// The row of a picture_format that a mode has.
const Mode& mode_of(std::uint8_t format);
