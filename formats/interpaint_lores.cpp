// Interpaint Lores: Koala's layout at $4000.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& interpaint_lores_codec() {
    static const LayoutCodec codec(
        {"Interpaint Lores", {"ip64l", "ipt"}, 0x4000, 10003},
        {.bitmap = 0, .screen = 8000, .color = 9000, .background = 10000}, true);
    return codec;
}
