// Vidcom 64: colour RAM at $5800, screen RAM at $5C00, the bitmap at $6000; no background.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& vidcom64_codec() {
    static const LayoutCodec codec({"Vidcom 64", {"vid", "vco"}, 0x5800, 10050},
                                   {.bitmap = 2048, .screen = 1024, .color = 0}, true);
    return codec;
}
