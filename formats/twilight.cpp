// Twilight: Vidcom 64's layout with the background in the last byte before the screen RAM.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& twilight_format() {
    static const LayoutCodec format(
        paint_program("Twilight", {"tbe"}, Written::Yes, {0x5800, 10050}),
        {.bitmap = 2048, .screen = 1024, .color = 0, .background = 1023});
    return format;
}
