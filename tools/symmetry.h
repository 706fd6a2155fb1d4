#pragma once
#include "geometry/geometry.h"
#include <cstdint>

// Edit > Symmetry: what painting a pixel paints besides.
enum class SymmetryKind : std::uint8_t { Off, LeftRight, TopBottom, FourWay };
constexpr int kSymmetryKinds = 4;

// The axes are kept as twice their place in pixels, so that an axis may run between two
// columns (the middle of a picture an even number of pixels across) or through one.
struct Symmetry {
    SymmetryKind kind = SymmetryKind::Off;
    int twice_column = 0; // the left-right mirror's axis: column c mirrors to twice_column - c
    int twice_row = 0;    // the top-bottom mirror's axis

    // About the middle of `whole`, or about the pixel `centre`.
    static Symmetry about_middle(SymmetryKind kind, const PixelArea& whole);
    static Symmetry about_pixel(SymmetryKind kind, PixelPos centre);
    // The same with an axis that lies outside `whole` (one kept from another picture, or
    // stored wrong) moved to the nearest column or row of it.
    Symmetry within(const PixelArea& whole) const;
    bool mirrors_columns() const;
    bool mirrors_rows() const;
    // The next kind, round the end.
    SymmetryKind next_kind() const;

    // Visits `at` and each image of it, each once.
    template <class Visit> void images(PixelPos at, Visit visit) const {
        visit(at);
        const PixelPos across{twice_column - at.column, at.row};
        const PixelPos down{at.column, twice_row - at.row};
        const bool columns = mirrors_columns() && across != at;
        const bool rows = mirrors_rows() && down != at;
        if (columns) visit(across);
        if (rows) visit(down);
        if (columns && rows) visit(PixelPos{across.column, down.row});
    }
};

// The symmetry as the artist chose it: its kind, and whether its centre is the picture's middle
// or its own axes.
struct SymmetryChoice {
    Symmetry symmetry;
    bool about_middle = true;
    // The symmetry painting takes in a picture of `whole`, its axes in the picture.
    Symmetry in(const PixelArea& whole) const {
        return about_middle ? Symmetry::about_middle(symmetry.kind, whole) : symmetry.within(whole);
    }
};
