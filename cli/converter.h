#pragma once
#include "conversion/adjust.h"
#include "conversion/convert.h"
#include <QString>
#include <cstdint>
#include <optional>

// `vexlor --convert IN OUT`, for build scripts: a picture or an image in, the file OUT's
// extension names out, through the table of formats that Import and the exports read. It needs
// no window and no display.

class FileFormat;

// The format of the table that writes OUT's extension (.koa, .bml, .ocp, ..., .prg the viewer
// program, .png the rendering, .vxr Vexlor's own); where two do (.prg), the multicolour one,
// until the picture's mode chooses. Null when none does.
const FileFormat* output_format_of(const QString& path);
// Why OUT is refused when none does: "\"out.bmp\" has no extension of a format Vexlor writes
// (.koa, .kla, .bml, ... .prg, .png, .vxr)".
QString no_format_writes(const QString& path);

struct ConvertRequest {
    QString input, output;
    // IN or OUT as given where it came as bytes that are not UTF-8 ("bad\xFFname.koa"), empty
    // where it is text. Qt names every file in UTF-8, so `input` or `output` would then name
    // another file: the conversion refuses the name instead.
    QString undecodable_input, undecodable_output;
    // An image is converted with these choices. A picture (.vxr or Koala) is taken as it is, on
    // its own background (a Koala file's, or the best one for a .vxr) unless a background was
    // asked for; the palette is then the one a PNG is drawn in.
    ConversionOptions options;
    bool background_asked = false;
    // Multicolor or FLI; by default FLI when IN is an FLI file or OUT an FLI format. In FLI an
    // image is converted for FLI, .png shows the FLI picture as a C64 does, .prg is the FLI
    // viewer, and --strict counts the rows of 4 pixels FLI cannot show.
    std::optional<PictureFormat> mode;
    bool strict = false; // a picture with inexact cells is not written
    bool pal = false;    // a .png shows the picture as a PAL television does
    // An image's tones, crop and place before it is converted; a C64 picture takes none.
    ImageAdjustments adjustments;
};

constexpr int kExitConverted = 0;
constexpr int kExitFileFailed = 1; // unreadable input, or an output that cannot be written
constexpr int kExitUsage = 2;
constexpr int kExitInexact = 3;

struct ConvertOutcome {
    int exit_code = kExitConverted;
    QString report; // one line for standard error
};

// Writes OUT whole or not at all: on any failure an earlier file of that name stays as it was.
ConvertOutcome convert_file(const ConvertRequest& request);
