// Vidcom 64: colour RAM at $5800, screen RAM at $5C00, the bitmap at $6000; no background.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& vidcom64_format() {
    static const LayoutCodec format({.name = "Vidcom 64",
                                     .extensions = {"vid", "vco"},
                                     .offered = {Command::Import, Command::ExportOther},
                                     .load_address = 0x5800,
                                     .length = 10050},
                                    {.bitmap = 2048, .screen = 1024, .color = 0});
    return format;
}
