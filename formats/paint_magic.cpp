// Paint Magic: 114 bytes of start-up code from $3F8E, the bitmap at $4000, the background at
// $5F40, one colour at $5F43 for every colour-RAM byte, the screen RAM at $6000. Files end
// there or at the end of its page.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& paint_magic_format() {
    static const LayoutCodec format(
        paint_program("Paint Magic", {"pmg"}, Written::No, {0x3F8E, 9308, 9332}),
        {.bitmap = 114, .screen = 8306, .color = 8117, .background = 8114, .one_color = true});
    return format;
}
