#pragma once
#include "conversion/convert.h"
#include <QString>
#include <cstdint>
#include <optional>

// `vexlor --convert IN OUT`, for build scripts: a picture or an image in, the file OUT's
// extension names out, through the code that Import and the exports use. It needs no window
// and no display.

class PictureCodec;

// A C64 picture file of the format table (Koala, FLI Graph, Advanced Art Studio, ...), the
// viewer program, the rendering, or Vexlor's own.
enum class OutputKind : std::uint8_t { C64Picture, Prg, Png, Vexlor };
struct OutputFormat {
    OutputKind kind = OutputKind::C64Picture;
    const PictureCodec* codec = nullptr; // C64Picture: the format that writes it
};
// The usual name of a format Vexlor writes (.koa, .bml, .ocp, ...); .prg: the viewer program;
// .png: the rendering; .vxr: Vexlor's own.
std::optional<OutputFormat> output_format_of(const QString& path);
// Those extensions, for messages: ".koa, .kla, .bml, ... .prg, .png, .vxr".
QString output_extensions();

struct ConvertRequest {
    QString input, output;
    OutputFormat format;
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
