#pragma once
#include "selection/block.h"
#include <cstdint>
#include <optional>

// A piece of the picture to paint with. The changes are kept as the free turn and scale, the
// quarter turns, the doublings and the flips of the block it was made from, and the brush is
// drawn anew from that block after each one: four turns, two flips, a doubling and a halving,
// or a turn by 45 degrees and then by none give the very pixels back, and nothing degrades.
//
// Rotate and Scale come first: the block turned by any angle and scaled by any factors (across
// and down apart), nearest neighbour on the picture's pixel grid, keeping its shape on screen,
// where a pixel is `pixel_aspect` times as wide as high. Each new pixel takes the pixel under
// its middle; the corners a turn opens hold nothing and are never painted. The quarter turns,
// the doublings and halvings and the flips then act on that shape as they act on a block:
//
// A turn keeps the brush's shape on screen: with pixels twice as wide, a w x h brush turns into
// (h / 2, rounded up) x 2w pixels, each new pixel taking the colour under its left half (each
// old column becomes two rows, and every other old row becomes a column). Halving keeps the
// top-left pixel of each 2 x 2. A flip mirrors the pixels as they are shown, so it never picks
// other ones: a turned brush one pixel wide stays as it is flipped left to right. A flip turns
// with the brush: left to right, turned a quarter, is top to bottom.
//
// A brush made from a selection of any shape holds only its pixels (see PixelBlock); the rest
// is never painted, whatever its colour.
class Brush {
public:
    Brush(PixelBlock source, int pixel_aspect);

    const PixelBlock& block() const { return shown_; }
    // Pixels of the transparent colour are painted too, rather than left out.
    bool opaque = false;
    // The colour a stamp leaves out; none: the picture's background colour.
    std::optional<std::uint8_t> transparent;

    void flip_left_right();
    void flip_top_bottom();
    // A quarter turn clockwise on screen.
    void turn();
    // Twice or half the size; false, and no change, when it would be over 160 pixels across or
    // down, or when it is one pixel already.
    bool double_size();
    bool halve_size();
    // Turned `degrees` clockwise on screen from the pixels it was made of, or scaled by
    // `across` and `down` (above 0) from them, keeping the other change and those above;
    // false, and no change, where the brush would be over 160 pixels across or down.
    bool rotate_to(double degrees);
    bool scale_to(double across, double down);
    double rotation() const { return degrees_; }
    double scale_across() const { return across_; }
    double scale_down() const { return down_; }

private:
    // The brush drawn from its block and its changes; none where the free changes would make
    // it far too large.
    std::optional<PixelBlock> shaped() const;
    void reshape();
    // Draws it anew; false, with the brush as it was, where it would be past the limit.
    bool reshape_within_limit();

    PixelBlock source_;
    int pixel_aspect_;
    double degrees_ = 0;           // clockwise, 0 to 360
    double across_ = 1, down_ = 1; // the free scale
    int turns_ = 0;                // quarter turns clockwise, 0 to 3
    int scale_ = 0;                // doublings, or halvings when below 0
    bool flipped_across_ = false;  // left to right, after the turns and the scale
    bool flipped_down_ = false;    // top to bottom, after the turns and the scale
    PixelBlock shown_;
};
