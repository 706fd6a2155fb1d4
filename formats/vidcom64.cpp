// Vidcom 64: colour RAM at $5800, screen RAM at $5C00, the bitmap at $6000; no background.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& vidcom64_format() {
    static const LayoutCodec format(
        paint_program("Vidcom 64", {"vid", "vco"}, Written::Yes, {0x5800, 10050}),
        {.bitmap = 2048, .screen = 1024, .color = 0});
    return format;
}
