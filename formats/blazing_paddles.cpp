// Blazing Paddles: bitmap, screen RAM and colour RAM a kilobyte apart from $A000; the background
// sits in the padding after the bitmap ($BF80).
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& blazing_paddles_codec() {
    static const LayoutCodec codec({"Blazing Paddles", {"pi", "bpi"}, 0xA000, 10242},
                                   {.bitmap = 0, .screen = 8192, .color = 9216, .background = 8064},
                                   true);
    return codec;
}
