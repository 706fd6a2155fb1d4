// Saracen Paint: screen RAM at $7800 with the background after it, the bitmap at $7C00, colour
// RAM at $9C00. Some files carry one byte more.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& saracen_paint_codec() {
    static const LayoutCodec codec({"Saracen Paint", {"sar"}, 0x7800, 10218, 10219},
                                   {.bitmap = 1024, .screen = 0, .color = 9216, .background = 1008},
                                   false);
    return codec;
}
