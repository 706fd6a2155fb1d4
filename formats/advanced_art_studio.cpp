// Advanced Art Studio: bitmap, screen RAM, border and background, colour RAM at $2000.
// The scene's files keep the background in the byte after the border ($4329); GIMP's plug-in
// looks for it in the border's byte ($4328), so the writer puts it in both.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& advanced_art_studio_format() {
    static const LayoutCodec format(
        paint_program("Advanced Art Studio", {"ocp", "mpic"}, Written::Yes, {0x2000, 10018}),
        {.bitmap = 0, .screen = 8000, .color = 9016, .background = 9001, .background_copy = 9000});
    return format;
}
