#include "cli/converter.h"
#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "c64/render.h"
#include "exchange/picture_export.h"
#include "exchange/picture_import.h"
#include "formats/format_table.h"
#include "formats/vxr.h"
#include "storage/picture_file.h"
#include <QFileInfo>

namespace {

// The picture to write: its pixels (Vexlor indices), the background it is encoded on, the
// palette an image was matched to, its mode, or why the input gave none.
struct Loaded {
    PictureBytes picture{};
    std::uint8_t background = 0;
    std::optional<PaletteMatch> match;
    QString error;
    PictureFormat mode = fmtMulticolor;
};

bool writes_fli(const ConvertRequest& request) {
    return request.format.codec && request.format.codec->kind() == PictureKind::Fli;
}

// The mode asked for; else FLI for an FLI file in or an FLI format out.
PictureFormat mode_for(const ConvertRequest& request, std::uint8_t input_format) {
    if (request.mode) return *request.mode;
    return input_format == fmtFli || writes_fli(request) ? fmtFli : fmtMulticolor;
}

std::uint8_t background_for(const PictureBytes& picture, std::uint8_t own,
                            const ConvertRequest& request) {
    if (!request.background_asked) return own;
    switch (request.options.background) {
    case BackgroundChoice::Best:
        return best_background(picture.data());
    case BackgroundChoice::Given:
        return request.options.given_background;
    case BackgroundChoice::Black:
        break;
    }
    return 0;
}

Loaded load_vexlor_file(const ConvertRequest& request) {
    Loaded loaded;
    if (!load_picture_file(request.input, loaded.picture.data()))
        return {{}, 0, {}, unreadable_reason(request.input)};
    loaded.background =
        background_for(loaded.picture, best_background(loaded.picture.data()), request);
    loaded.mode = mode_for(request, fmtMulticolor);
    return loaded;
}

Loaded load(const ConvertRequest& request) {
    if (is_vexlor_file_name(request.input)) return load_vexlor_file(request);
    ImportSource source = read_import_source(request.input);
    if (!source.error.isEmpty()) return {{}, 0, {}, source.error};
    const PictureFormat mode = mode_for(request, source.format);
    if (source.picture)
        return {*source.picture,
                background_for(*source.picture, source.background, request),
                {},
                {},
                mode};
    ConversionOptions options = request.options;
    options.format = mode;
    const Conversion conversion = convert_image(source.image, options);
    return {conversion.picture, conversion.background, conversion.palette, {}, mode};
}

// A PNG shows the picture in the palette asked for, else in the one the image was matched to,
// else in Vexlor's own, as the PNG export does.
PaletteId rendering_palette(const Loaded& loaded, const ConvertRequest& request) {
    if (request.options.palette) return *request.options.palette;
    return loaded.match ? loaded.match->palette : PaletteId::Vexlor;
}

// The picture encoded for OUT: an FLI file, or in FLI mode a PRG, PNG or .vxr, in FLI, counting
// its inexact rows of 4 pixels; everything else as a multicolour bitmap, counting its inexact
// cells.
struct Encoded {
    C64Image image;
    int inexact = 0;
    QString parts; // what `inexact` counts
};

Encoded encoded_for(const Loaded& loaded, const ConvertRequest& request) {
    if (writes_fli(request) || (!request.format.codec && loaded.mode == fmtFli)) {
        const FliEncoding fli = encode_fli(loaded.picture.data(), loaded.background);
        return {fli.image, int(fli.inexact.count()), QStringLiteral("row")};
    }
    const Encoding encoding = encode_multicolor(loaded.picture.data(), loaded.background);
    return {encoding.image, encoding.inexact_cells, QStringLiteral("cell")};
}

// The picture as a C64 shows it: in FLI, the rows as the FLI file holds them.
PictureBytes shown_picture(const Loaded& loaded, const Encoded& encoded) {
    const FliImage* fli = std::get_if<FliImage>(&encoded.image);
    if (!fli) return loaded.picture;
    PictureBytes shown;
    decode_fli(*fli, shown.data());
    return shown;
}

std::vector<std::uint8_t> output_bytes(const Loaded& loaded, const Encoded& encoded,
                                       const ConvertRequest& request) {
    switch (request.format.kind) {
    case OutputKind::Prg:
        if (const FliImage* fli = std::get_if<FliImage>(&encoded.image)) return write_fli_prg(*fli);
        return write_prg(std::get<MulticolorImage>(encoded.image));
    case OutputKind::Png:
        return encode_png(render_picture(shown_picture(loaded, encoded).data(),
                                         {.palette = rendering_palette(loaded, request)}));
    case OutputKind::Vexlor:
        return encode_vxr(loaded.picture.data(), kPictureBytes);
    case OutputKind::C64Picture:
        break;
    }
    return request.format.codec->write(encoded.image);
}

QString palette_text(const std::optional<PaletteMatch>& match) {
    if (!match) return QStringLiteral("none (a C64 picture)");
    return QStringLiteral("%1 (%2)").arg(palette_name(match->palette),
                                         match->drawn_in_it ? QStringLiteral("drawn in it")
                                                            : QStringLiteral("colours matched"));
}

// "in.png -> out.kla: palette Colodore (colours matched), background 6 (blue), 0 inexact cells"
QString summary(const ConvertRequest& request, const Loaded& loaded, const Encoded& encoded) {
    const std::uint8_t background = c64_color_number(loaded.background);
    return QStringLiteral("%1 -> %2: palette %3, background %4 (%5), %6 inexact %7%8")
        .arg(request.input, request.output, palette_text(loaded.match), QString::number(background),
             QString::fromLatin1(c64_color_name(background)), QString::number(encoded.inexact),
             encoded.parts, encoded.inexact == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

std::optional<OutputFormat> output_format_of(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (const PictureCodec* codec = writer_for_extension(suffix.toStdString()))
        return OutputFormat{OutputKind::C64Picture, codec};
    if (suffix == "prg") return OutputFormat{OutputKind::Prg};
    if (suffix == "png") return OutputFormat{OutputKind::Png};
    if (suffix == "vxr") return OutputFormat{OutputKind::Vexlor};
    return std::nullopt;
}

QString output_extensions() {
    QStringList extensions;
    for (const PictureCodec* codec : picture_codecs())
        if (codec->writes())
            for (std::string_view name : codec->usual_names())
                extensions << QStringLiteral(".") +
                                  QString::fromLatin1(name.data(), qsizetype(name.size()));
    extensions << ".prg"
               << ".png"
               << ".vxr";
    return extensions.join(QStringLiteral(", "));
}

ConvertOutcome convert_file(const ConvertRequest& request) {
    const Loaded loaded = load(request);
    if (!loaded.error.isEmpty())
        return {kExitFileFailed,
                QStringLiteral("\"%1\" cannot be read: %2").arg(request.input, loaded.error)};
    const Encoded encoded = encoded_for(loaded, request);
    const QString line = summary(request, loaded, encoded);
    if (request.strict && encoded.inexact > 0)
        return {kExitInexact, line + QStringLiteral("; nothing written (--strict)")};
    const QString error =
        write_file_atomically(request.output, output_bytes(loaded, encoded, request));
    if (!error.isEmpty())
        return {kExitFileFailed,
                QStringLiteral("\"%1\" cannot be written: %2").arg(request.output, error)};
    return {kExitConverted, line};
}
