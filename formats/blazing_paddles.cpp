// Blazing Paddles: bitmap, screen RAM and colour RAM a kilobyte apart from $A000; the background
// sits in the padding after the bitmap ($BF80).
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& blazing_paddles_format() {
    static const LayoutCodec format(
        paint_program("Blazing Paddles", {"pi", "bpi"}, Written::Yes, {0xA000, 10242}),
        {.bitmap = 0, .screen = 8192, .color = 9216, .background = 8064});
    return format;
}
