// Interpaint Lores: Koala's layout at $4000.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& interpaint_lores_format() {
    static const LayoutCodec format(
        {.name = "Interpaint Lores",
         .extensions = {"ip64l", "ipt"},
         .offered = {Command::Import, Command::ExportOther},
         .load_address = 0x4000,
         .length = 10003},
        {.bitmap = 0, .screen = 8000, .color = 9000, .background = 10000});
    return format;
}
