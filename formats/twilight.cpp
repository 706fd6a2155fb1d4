// Twilight: Vidcom 64's layout with the background in the last byte before the screen RAM.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& twilight_codec() {
    static const LayoutCodec codec({"Twilight", {"tbe"}, 0x5800, 10050},
                                   {.bitmap = 2048, .screen = 1024, .color = 0, .background = 1023},
                                   true);
    return codec;
}
