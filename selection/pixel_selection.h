#pragma once
#include "selection/block.h"
#include <span>
#include <vector>

// A selection of any shape: a set of picture pixels, kept as a mask over the rectangle that
// bounds them. A rectangle dragged, a lasso's outline, a colour's connected area or all of a
// colour's pixels make one; the edit commands copy, clear and flip what it holds. No Qt.

// A straight piece of the line between selected pixels and the others, on the corners of the
// picture's pixels: the corner (c, r) is the top-left corner of the pixel (c, r), so the pixel
// (c, r) is bounded by columns c and c + 1 and rows r and r + 1 of corners.
struct EdgeRun {
    PixelPos from;      // the corner it starts at
    int length = 0;     // in pixels, rightwards or downwards
    bool across = true; // along a row of corners (rightwards), else down a column of them
    bool operator==(const EdgeRun&) const = default;
};

class PixelSelection {
public:
    // Nothing selected.
    PixelSelection() = default;
    // Every pixel of `area`: a selection as a rectangle always made one.
    explicit PixelSelection(const PixelArea& area);
    // The pixels of `area` that `mask` marks (one a pixel, row by row, nonzero where selected);
    // nothing where the mask is not of the area's size.
    PixelSelection(const PixelArea& area, const std::vector<std::uint8_t>& mask);

    // The pixels within a closed outline through `outline`'s points (the last joined to the
    // first): those the outline's lines pass through, and those whose middles lie inside it by
    // the even-odd rule, so that a loop drawn twice round cancels out, as a hole does. Cut at
    // `within`.
    static PixelSelection lasso(std::span<const PixelPos> outline, const PixelArea& within);
    // The area of `from`'s colour that holds it, pixels joined by their sides (not corners);
    // nothing where `from` lies outside the picture.
    static PixelSelection wand(ConstPixelGrid picture, PixelPos from);
    // Every pixel of the picture in `color`.
    static PixelSelection of_colour(ConstPixelGrid picture, std::uint8_t color);

    // The smallest rectangle that holds every selected pixel; empty when none is.
    const PixelArea& bounds() const { return bounds_; }
    bool empty() const { return bounds_.empty(); }
    bool contains(PixelPos at) const;
    // Every pixel of its bounds is selected: it acts as a rectangular selection always has.
    bool rectangular() const { return !empty() && mask_.empty(); }
    // One a pixel of the bounds, row by row, 1 where selected; empty where all are.
    const std::vector<std::uint8_t>& mask() const { return mask_; }

    // The line round the selected pixels, holes included, as runs along the pixels' edges: each
    // run as long as it goes straight with selected pixels on the same side.
    std::vector<EdgeRun> edge() const;

    bool operator==(const PixelSelection&) const = default;

private:
    PixelArea bounds_;
    std::vector<std::uint8_t> mask_;
};

// The pixels `block` holds, its top-left pixel at `at`.
PixelSelection held_pixels(const PixelBlock& block, PixelPos at);

// The selected pixels that lie within `within`.
PixelSelection clipped(const PixelSelection& selection, const PixelArea& within);

// The selected pixels as a block over the selection's bounds, holding only those (see
// PixelBlock): a rectangle's block is the one copy_block gives.
PixelBlock copy_selected(ConstPixelGrid picture, const PixelSelection& selection);

// Every selected pixel becomes `color`.
void fill_selected(PixelGrid picture, const PixelSelection& selection, std::uint8_t color);

// Mirrors the selected pixels left to right (`across`) or top to bottom within the selection's
// bounds, and the selection with them: the mirrored selection is returned. A pixel the
// selection leaves in mirroring takes `back`, as if the shape had been lifted off the
// background and put down mirrored; the pixels outside both keep their colours. A rectangle
// flips as flip_horizontally and flip_vertically flip it.
PixelSelection flip_selected(PixelGrid picture, const PixelSelection& selection, bool across,
                             std::uint8_t back);
