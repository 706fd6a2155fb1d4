#pragma once
#include "tools/ink.h"
#include "tools/symmetry.h"

// The pattern, its transparency and the second colour, kept between runs in the settings.
// With nothing stored, or values out of range, the solid ink with colour 0.
Ink stored_ink();
void store_ink(const Ink& ink);

// The symmetry, and whether its centre is the picture's middle (else its own axes), kept
// between runs in the settings. With nothing stored, none about the middle.
struct StoredSymmetry {
    Symmetry symmetry;
    bool about_middle = true;
    // The symmetry painting takes in a picture of `whole`, its axes in the picture.
    Symmetry in(const PixelArea& whole) const {
        return about_middle ? Symmetry::about_middle(symmetry.kind, whole) : symmetry.within(whole);
    }
};
StoredSymmetry stored_symmetry();
void store_symmetry(const StoredSymmetry& stored);
