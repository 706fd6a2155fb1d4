// Art Studio's hires pictures: the bitmap and the screen at $2000, often followed by the border
// byte and six bytes of padding. Advanced Art Studio's multicolour files load at $2000 too and
// share the name .ocp; they are 10018 bytes long.
#include "formats/layout_codec.h"
#include "formats/rows.h"

const FileFormat& art_studio_format() {
    static const HiresLayoutCodec format(
        {.name = "Art Studio",
         .extensions = {"art", "ocp"},
         .offered = {Command::Import, Command::Save, Command::ExportOther},
         .filter_name = "Art Studio pictures",
         .kind = fmtHires,
         .file = {0x2000, 9002, 9009}},
        {.bitmap = 0, .screen = 8000});
    return format;
}
