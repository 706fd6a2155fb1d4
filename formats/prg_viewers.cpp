// The C64 programs that show the picture and its sprites when run (c64/sprite_prg.h): one a
// kind of picture, all offered by Export as PRG, which writes the one of the picture's mode.
#include "c64/sprite_prg.h"
#include "formats/rows.h"

namespace {

template <class Image, SpriteProgram (*program)(const Image&, const SpriteSet&)>
class ViewerFormat : public FileFormat {
public:
    using FileFormat::FileFormat;
    // Sprites a C64 cannot show (too many on a line, too close for the raster interrupts, any
    // over FLI) refuse the program.
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        SpriteProgram shown = program(std::get<Image>(picture.encoded), for_c64(picture.sprites));
        if (!shown.refusal.empty()) throw WriteRefused(shown.refusal);
        return std::move(shown.bytes);
    }
};

} // namespace

const FileFormat& prg_viewer_format() {
    static const ViewerFormat<MulticolorImage, write_prg> format({.name = "C64 program",
                                                                  .extensions = {"prg"},
                                                                  .offered = {Command::ExportPrg},
                                                                  .filter_name = "C64 programs"});
    return format;
}

const FileFormat& fli_prg_viewer_format() {
    static const ViewerFormat<FliImage, write_fli_prg> format({.name = "C64 FLI program",
                                                               .extensions = {"prg"},
                                                               .offered = {Command::ExportPrg},
                                                               .filter_name = "C64 programs",
                                                               .kind = fmtFli});
    return format;
}

const FileFormat& hires_prg_viewer_format() {
    static const ViewerFormat<HiresImage, write_hires_prg> format({.name = "C64 hires program",
                                                                   .extensions = {"prg"},
                                                                   .offered = {Command::ExportPrg},
                                                                   .filter_name = "C64 programs",
                                                                   .kind = fmtHires});
    return format;
}

const FileFormat& afli_prg_viewer_format() {
    static const ViewerFormat<AfliImage, write_afli_prg> format({.name = "C64 AFLI program",
                                                                 .extensions = {"prg"},
                                                                 .offered = {Command::ExportPrg},
                                                                 .filter_name = "C64 programs",
                                                                 .kind = fmtAfli});
    return format;
}
