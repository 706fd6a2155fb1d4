// Saracen Paint: screen RAM at $7800 with the background after it, the bitmap at $7C00, colour
// RAM at $9C00. Some files carry one byte more.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& saracen_paint_format() {
    static const LayoutCodec format(
        paint_program("Saracen Paint", {"sar"}, Written::No, {0x7800, 10218, 10219}),
        {.bitmap = 1024, .screen = 0, .color = 9216, .background = 1008});
    return format;
}
