// Image System: colour RAM at $3C00, the bitmap at $4000, the background just before the screen
// RAM at $6400.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& image_system_format() {
    static const LayoutCodec format(
        paint_program("Image System", {"ism", "64i"}, Written::Yes, {0x3C00, 10218}),
        {.bitmap = 1024, .screen = 9216, .color = 0, .background = 9215});
    return format;
}
