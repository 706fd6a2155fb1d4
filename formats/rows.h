#pragma once
#include "formats/file_format.h"

// The table: every format Vexlor reads or writes, one row each, defined in the format's own file
// as `const FileFormat& NAME_format()`. The C64 picture files come in the order that settles a
// tie that neither content nor name breaks: Vidcom 64 before Twilight, so that a file of their
// shared layout without either name keeps its byte 1023 out of the picture.
#define VEXLOR_FORMAT_ROWS(ROW)                                                                    \
    ROW(koala)                                                                                     \
    ROW(packed_koala)                                                                              \
    ROW(fli_graph)                                                                                 \
    ROW(fli_designer)                                                                              \
    ROW(advanced_art_studio)                                                                       \
    ROW(art_studio)                                                                                \
    ROW(interpaint_hires)                                                                          \
    ROW(doodle)                                                                                    \
    ROW(packed_doodle)                                                                             \
    ROW(afli)                                                                                      \
    ROW(artist64)                                                                                  \
    ROW(blazing_paddles)                                                                           \
    ROW(image_system)                                                                              \
    ROW(interpaint_lores)                                                                          \
    ROW(vidcom64)                                                                                  \
    ROW(twilight)                                                                                  \
    ROW(drazpaint)                                                                                 \
    ROW(drazpaint_packed)                                                                          \
    ROW(saracen_paint)                                                                             \
    ROW(amica_paint)                                                                               \
    ROW(paint_magic)                                                                               \
    ROW(prg_viewer)                                                                                \
    ROW(fli_prg_viewer)                                                                            \
    ROW(hires_prg_viewer)                                                                          \
    ROW(afli_prg_viewer)                                                                           \
    ROW(png)                                                                                       \
    ROW(vexlor)                                                                                    \
    ROW(vexlor_sprites)                                                                            \
    ROW(image)

#define VEXLOR_DECLARE_FORMAT(name) const FileFormat& name##_format();
VEXLOR_FORMAT_ROWS(VEXLOR_DECLARE_FORMAT)
#undef VEXLOR_DECLARE_FORMAT
