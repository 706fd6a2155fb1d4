// Interpaint Hires: the bitmap and the screen at $4000.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& interpaint_hires_format() {
    static const HiresLayoutCodec format({.name = "Interpaint Hires",
                                          .extensions = {"ip64h", "iph"},
                                          .offered = {Command::Import, Command::ExportOther},
                                          .kind = fmtHires,
                                          .file = {0x4000, 9002}},
                                         {.bitmap = 0, .screen = 8000});
    return format;
}
