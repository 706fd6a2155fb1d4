#pragma once
#include "selection/block.h"

// A piece of the picture to paint with. The changes are kept as the turns and the scale of the
// block it was made from and the flips of what those give, and the brush is drawn anew from
// that block after each one: four turns, two flips, or a doubling and a halving give the very
// pixels back.
//
// A turn keeps the brush's shape on screen, where a pixel is `pixel_aspect` times as wide as
// high: with pixels twice as wide, a w x h brush turns into (h / 2, rounded up) x 2w pixels,
// each new pixel taking the colour under its left half (each old column becomes two rows, and
// every other old row becomes a column). Halving keeps the top-left pixel of each 2 x 2.
// A flip mirrors the pixels as they are shown, so it never picks other ones: a turned brush one
// pixel wide stays as it is flipped left to right. A flip turns with the brush: left to right,
// turned a quarter, is top to bottom.
class Brush {
public:
    Brush(PixelBlock source, int pixel_aspect);

    const PixelBlock& block() const { return shown_; }
    // Background-coloured pixels are painted too, rather than left out.
    bool opaque = false;

    void flip_left_right();
    void flip_top_bottom();
    // A quarter turn clockwise on screen.
    void turn();
    // Twice or half the size; false, and no change, when it would be over 160 pixels across or
    // down, or when it is one pixel already.
    bool double_size();
    bool halve_size();

private:
    void reshape();

    PixelBlock source_;
    int pixel_aspect_;
    int turns_ = 0;               // quarter turns clockwise, 0 to 3
    int scale_ = 0;               // doublings, or halvings when below 0
    bool flipped_across_ = false; // left to right, after the turns and the scale
    bool flipped_down_ = false;   // top to bottom, after the turns and the scale
    PixelBlock shown_;
};
