// Drazpaint, unpacked: Vidcom 64's layout with the background after the bitmap. GIMP's plug-in
// writes one byte more. Vexlor writes the packed kind, as Drazpaint does.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& drazpaint_format() {
    static const LayoutCodec format(
        paint_program("Drazpaint", {"drz", "dp64"}, Written::No, {0x5800, 10051, 10052}),
        {.bitmap = 2048, .screen = 1024, .color = 0, .background = 10048});
    return format;
}
