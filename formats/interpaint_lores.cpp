// Interpaint Lores: Koala's layout at $4000.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& interpaint_lores_format() {
    static const LayoutCodec format(
        paint_program("Interpaint Lores", {"ip64l", "ipt"}, Written::Yes, {0x4000, 10003}),
        {.bitmap = 0, .screen = 8000, .color = 9000, .background = 10000});
    return format;
}
