// Paint Magic: 114 bytes of start-up code from $3F8E, the bitmap at $4000, the background at
// $5F40, one colour at $5F43 for every colour-RAM byte, the screen RAM at $6000. Files end
// there or at the end of its page.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& paint_magic_codec() {
    static const LayoutCodec codec(
        {"Paint Magic", {"pmg"}, 0x3F8E, 9308, 9332},
        {.bitmap = 114, .screen = 8306, .color = 8117, .background = 8114, .one_color = true},
        false);
    return codec;
}
