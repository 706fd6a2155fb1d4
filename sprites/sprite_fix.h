#pragma once
#include "colour/lab.h"
#include "document/document.h"

// Fix Colour Clashes with sprites: what a cell cannot show is shown by new hires sprites over it.

struct SpriteFix {
    int to_sprites = 0; // pixels the bitmap changed but new sprites show as they were
    int changed = 0;    // pixels that show another colour than before
};

// Fixes the clashes within `within` as Fix Colour Clashes does, then puts each pixel the fix
// changed into a new hires sprite of its old colour, so that it shows as it was. The sprites go
// under those already there (a pixel an old sprite covers is left to the fix) and only where
// every row they cover keeps to the eight-a-line limit; a pixel no sprite can take stays as the
// fix made it. In a mode whose programs show no sprites (FLI, AFLI) it is the plain fix.
SpriteFix fix_clashes_with_sprites(Document::Edit& edit, const LabPalette& shown,
                                   const PixelArea& within);
