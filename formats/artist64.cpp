// Artist 64: bitmap, screen RAM and colour RAM a kilobyte apart from $4000, the background last.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& artist64_format() {
    static const LayoutCodec format(
        paint_program("Artist 64", {"a64"}, Written::Yes, {0x4000, 10242}),
        {.bitmap = 0, .screen = 8192, .color = 9216, .background = 10239});
    return format;
}
