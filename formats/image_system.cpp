// Image System: colour RAM at $3C00, the bitmap at $4000, the background just before the screen
// RAM at $6400.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& image_system_codec() {
    static const LayoutCodec codec({"Image System", {"ism", "64i"}, 0x3C00, 10218},
                                   {.bitmap = 1024, .screen = 9216, .color = 0, .background = 9215},
                                   true);
    return codec;
}
