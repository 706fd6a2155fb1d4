#pragma once
#include "c64/sprites.h"
#include "geometry/geometry.h"
#include "modes/picture_format.h"
#include "platform/common_dialogs.h"
#include <cstdint>

// Picture > Export as ...: each asks for a file name (the dialog's filter and default
// extension are set here, from the table of formats, so a name typed without one gets .koa,
// .prg or .png; the dialog starts with the name it holds, the frame gives it the picture's own,
// in the export's extension), writes the whole file beside it and replaces it only once
// complete, and names the file and the reason when that fails. True once the file is written,
// at the dialog's FileName.
//
// Koala and PRG write the picture on its `background` ($D021, and the PRG's border). They first
// count the cells that cannot be shown exactly and, when there are any, ask whether to export
// anyway; FLI and the FLI PRG do the same with 4 x 1 rows, AFLI with 8 x 1 rows, and show every
// raster line in `background`. PNG asks for its size and colours after the name, starting from the
// colours shown. Each takes the picture's grid, of its mode's shape; PNG takes any 320 x 200 grid
// as screen pixels (a hires picture, or what shows of a picture with sprites).
bool export_koala(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background);
// PRG writes the viewer of the picture's `mode` with the `sprites` (Vexlor colour indices) over
// it. Sprites it cannot show are refused in a message naming why, before anything is asked.
bool export_prg(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background,
                PictureFormat mode = fmtMulticolor, const SpriteSet& sprites = {});
bool export_fli(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background);
bool export_png(TSaveDialog& dialog, ConstPixelGrid picture);

// Picture > Export as Other C64 Format: every format the table offers there, one filter entry
// each. The extension of the name typed picks the format when it is one of theirs, else the
// chosen entry does (and a name typed without an extension gets that format's). It asks about
// inexact cells as the Koala export does. A picture in a `mode` some of those formats hold (hires,
// AFLI) is offered those; any other is offered the multicolour ones.
bool export_other_c64(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background,
                      PictureFormat mode = fmtMulticolor);
