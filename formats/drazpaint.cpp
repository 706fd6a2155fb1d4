// Drazpaint, unpacked: Vidcom 64's layout with the background after the bitmap. GIMP's plug-in
// writes one byte more. Vexlor writes the packed kind, as Drazpaint does.
#include "formats/codecs.h"
#include "formats/layout_codec.h"

const PictureCodec& drazpaint_codec() {
    static const LayoutCodec codec(
        {"Drazpaint", {"drz", "dp64"}, 0x5800, 10051, 10052},
        {.bitmap = 2048, .screen = 1024, .color = 0, .background = 10048}, false);
    return codec;
}
