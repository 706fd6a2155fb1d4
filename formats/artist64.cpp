// Artist 64: bitmap, screen RAM and colour RAM a kilobyte apart from $4000, the background last.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& artist64_format() {
    static const LayoutCodec format(
        {.name = "Artist 64",
         .extensions = {"a64"},
         .offered = {Command::Import, Command::ExportOther},
         .load_address = 0x4000,
         .length = 10242},
        {.bitmap = 0, .screen = 8192, .color = 9216, .background = 10239});
    return format;
}
