#pragma once
#include "selection/block.h"

// A piece of the picture to paint with. The changes are kept as a turn, a mirror and a scale
// of the block it was made from, and the brush is drawn anew from that block after each one:
// four turns, two flips, or a doubling and a halving give the very pixels back.
//
// A turn keeps the brush's shape on screen, where a pixel is `pixel_aspect` times as wide as
// high: with pixels twice as wide, a w x h brush turns into (h / 2, rounded up) x 2w pixels,
// each new pixel taking the colour under its left half (each old column becomes two rows, and
// every other old row becomes a column). Halving keeps the top-left pixel of each 2 x 2.
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
    bool mirrored_ = false; // left to right, before the turns
    int turns_ = 0;         // quarter turns clockwise, 0 to 3
    int scale_ = 0;         // doublings, or halvings when below 0
    PixelBlock shown_;
};
