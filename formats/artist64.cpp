// Artist 64: bitmap, screen RAM and colour RAM a kilobyte apart from $4000, the background last.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& artist64_codec() {
    static const LayoutCodec codec(
        {"Artist 64", {"a64"}, 0x4000, 10242},
        {.bitmap = 0, .screen = 8192, .color = 9216, .background = 10239}, true);
    return codec;
}
