#include "cli/converter.h"
#include "formats/file_reading.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "modes/mode.h"
#include "sprites/shown_screen.h"
#include "storage/file_access.h"
#include <QFileInfo>

namespace {

// The picture to write: its pixels (Vexlor indices), the background it is encoded on, the
// palette an image was matched to, its mode, or why the input gave none.
struct Loaded {
    StoredPicture picture{}; // as many pixels as its mode's shape has
    std::uint8_t background = 0;
    std::optional<PaletteMatch> match;
    QString error;
    PictureFormat mode = fmtMulticolor;
    const char* refused = "read"; // what the input cannot be, where it gave none
    SpriteSet sprites = {};       // a file with sprites keeps them through to one
};

std::string extension_of(const QString& path) { return QFileInfo(path).suffix().toStdString(); }

// The mode asked for; else a hires file's own, else a hires format's out (so an image is
// converted for it), else FLI for an FLI file in or an FLI format out.
PictureFormat mode_for(const ConvertRequest& request, std::uint8_t input_format) {
    if (request.mode) return *request.mode;
    const Mode& input = mode_of(input_format);
    const FileFormat* output = output_format_of(request.output);
    const Mode* written = output && output->kind() ? &mode_of(*output->kind()) : nullptr;
    const auto hires = [](const Mode& mode) { return mode.shape.width != kPictureColumns; };
    if (hires(input)) return PictureFormat(input_format);
    if (written && hires(*written)) return written->format;
    if (input.shared.cell_colour) return input.format;
    if (written && written->shared.cell_colour) return written->format;
    return fmtMulticolor;
}

// A picture's own background unless another is asked; the best is the best for the picture
// in the shape it is written in.
std::uint8_t background_for(const Loaded& loaded, PictureFormat written,
                            const ConvertRequest& request) {
    if (loaded.match || !request.background_asked) return loaded.background;
    switch (request.options.background) {
    case BackgroundChoice::Best: {
        // A hires mode shares no background: its picture takes black.
        const Mode& to = mode_of(written);
        if (!to.shared.background) return 0;
        StoredPicture shaped = loaded.picture;
        convert_shape(mode_of(loaded.mode), to, shaped.data());
        return best_background(to.grid_of(shaped.data()));
    }
    case BackgroundChoice::Given:
        return request.options.given_background;
    case BackgroundChoice::Black:
        break;
    }
    return 0;
}

// The adjustments are made to an image before it is converted: a picture is taken as it is.
Loaded not_an_image() {
    Loaded refused;
    refused.error = QStringLiteral("it is a picture, and --brightness, --contrast, --saturation, "
                                   "--gamma, --crop and --place are for images");
    refused.refused = "adjusted";
    return refused;
}

// A .vxr file holds a multicolour picture and no background: it takes the best.
Loaded load_vexlor_file(const ConvertRequest& request) {
    if (request.adjustments != ImageAdjustments{}) return not_an_image();
    if (format_opened(extension_of(request.input))->keeps_sprites()) {
        const SpritesFileRead read = load_sprites_file(request.input);
        if (!read.picture) return {{}, 0, {}, read.error};
        return {
            read.picture->pixels, read.picture->background, {}, {}, read.picture->format, "read",
            read.picture->sprites};
    }
    Loaded loaded;
    const PixelGrid picture = multicolor_grid(loaded.picture);
    if (!load_picture_file(request.input, picture))
        return {{}, 0, {}, unreadable_reason(request.input)};
    loaded.background = best_background(picture);
    return loaded;
}

// The picture in its own mode, on its own background; an image converted for the mode asked.
Loaded load(const ConvertRequest& request) {
    if (is_vexlor_file_name(request.input)) return load_vexlor_file(request);
    ImportSource source = read_import_source(request.input);
    if (!source.error.isEmpty()) return {{}, 0, {}, source.error};
    if (source.picture) {
        if (request.adjustments != ImageAdjustments{}) return not_an_image();
        return {*source.picture, source.background, {}, {}, PictureFormat(source.format)};
    }
    const ImageAdjustments& adjustments = request.adjustments;
    if (cropped_area(source.decoded_size.width(), source.decoded_size.height(), adjustments.crop)
            .empty())
        return {{}, 0, {}, QStringLiteral("the crop lies outside the image")};
    const PictureFormat mode = mode_for(request, fmtMulticolor);
    ConversionOptions options = request.options;
    options.format = mode;
    options.place = adjustments.place;
    const RgbImage image = adjustments == ImageAdjustments{}
                               ? std::move(source.image)
                               : working_copy(source.decoded, adjustments);
    const Conversion conversion = convert_image(image, options);
    Loaded loaded{{}, conversion.background, conversion.palette, {}, mode};
    std::copy(conversion.picture.begin(), conversion.picture.end(), loaded.picture.begin());
    return loaded;
}

// An image shows the picture in the palette asked for, else in the one the image was matched
// to, else in Vexlor's own, as the PNG export does.
PaletteId rendering_palette(const Loaded& loaded, const ConvertRequest& request) {
    if (request.options.palette) return *request.options.palette;
    return loaded.match ? loaded.match->palette : PaletteId::Vexlor;
}

// The picture as a C64 shows it: in FLI, the rows as the FLI file holds them.
StoredPicture shown_picture(const Loaded& loaded, const EncodedPicture& encoded) {
    const FliImage* fli = std::get_if<FliImage>(&encoded.image);
    if (!fli) return loaded.picture;
    StoredPicture shown{};
    decode_fli(*fli, multicolor_grid(shown));
    return shown;
}

// A file of the picture's pixels holds them as they are; an image shows them as a C64 does.
std::vector<std::uint8_t> output_bytes(const FileFormat& format, const Loaded& loaded,
                                       const EncodedPicture& encoded,
                                       const ConvertRequest& request) {
    if (format.holds() != Holds::Image)
        return format.write({.pixels = mode_of(loaded.mode).grid_of(loaded.picture.data()),
                             .encoded = encoded.image,
                             .mode = loaded.mode,
                             .background = loaded.background,
                             .sprites = loaded.sprites});
    const StoredPicture shown = shown_picture(loaded, encoded);
    const Mode& mode = mode_of(loaded.mode);
    const RenderOptions rendering{.palette = rendering_palette(loaded, request),
                                  .pal = request.pal,
                                  .hires = mode.shape.pixel_aspect == 1};
    if (loaded.sprites.sprites.empty())
        return format.write({.pixels = mode.grid_of(shown.data()),
                             .encoded = encoded.image,
                             .rendering = rendering});
    // The sprites show at the screen's resolution, over whichever mode's pixels.
    const std::vector<std::uint8_t> screen =
        shown_screen(mode.grid_of(shown.data()), mode, loaded.background, loaded.sprites);
    RenderOptions on_screen = rendering;
    on_screen.hires = true;
    return format.write(
        {.pixels = hires_grid(screen), .encoded = encoded.image, .rendering = on_screen});
}

QString palette_text(const std::optional<PaletteMatch>& match) {
    if (!match) return QStringLiteral("none (a C64 picture)");
    return QStringLiteral("%1 (%2)").arg(palette_name(match->palette),
                                         match->drawn_in_it ? QStringLiteral("drawn in it")
                                                            : QStringLiteral("colours matched"));
}

// A name that is not text names no file that Vexlor can open: neither it nor any other is used.
ConvertOutcome refused_name(const QString& given, const QString& use) {
    return {kExitFileFailed,
            QStringLiteral("\"%1\" cannot be %2: the name is not valid UTF-8").arg(given, use)};
}

// "in.png -> out.kla: palette Colodore (colours matched), background 6 (blue), 0 inexact cells";
// in FLI, rows of 4 pixels are counted. A picture taken to a mode of another shape says how many
// pixels that changed: "..., 0 inexact cells, 15070 of 64000 pixels changed for Multicolor".
QString summary(const ConvertRequest& request, const Loaded& loaded, const EncodedPicture& encoded,
                const ShapeChange& change) {
    const std::uint8_t background = c64_color_number(loaded.background);
    const QString parts = QString::fromLatin1(mode_of(kind_of(encoded.image)).area_one);
    QString line =
        QStringLiteral("%1 -> %2: palette %3, background %4 (%5), %6 inexact %7%8")
            .arg(request.input, request.output, palette_text(loaded.match),
                 QString::number(background), QString::fromLatin1(c64_color_name(background)),
                 QString::number(encoded.inexact), parts,
                 encoded.inexact == 1 ? QString() : QStringLiteral("s"));
    if (change.on_screen > 0)
        line += QStringLiteral(", %1 of %2 pixels changed for %3")
                    .arg(change.changed)
                    .arg(change.on_screen)
                    .arg(QString::fromLatin1(mode_of(loaded.mode).name));
    return line;
}

} // namespace

const FileFormat* output_format_of(const QString& path) {
    return writer_for(extension_of(path), fmtMulticolor);
}

QString no_format_writes(const QString& path) {
    QStringList extensions;
    for (std::string_view name : written_extensions())
        extensions << QStringLiteral(".") +
                          QString::fromLatin1(name.data(), qsizetype(name.size()));
    return QStringLiteral("\"%1\" has no extension of a format Vexlor writes (%2)")
        .arg(path, extensions.join(QStringLiteral(", ")));
}

// The picture is encoded for the output's kind; a file of any kind (.prg, .png, .vxr) takes the
// picture's mode, and of two that write the extension, the one of that mode writes.
ConvertOutcome convert_file(const ConvertRequest& request) {
    if (!request.undecodable_input.isEmpty())
        return refused_name(request.undecodable_input, QStringLiteral("read"));
    if (!request.undecodable_output.isEmpty())
        return refused_name(request.undecodable_output, QStringLiteral("written"));
    Loaded loaded = load(request);
    if (!loaded.error.isEmpty())
        return {kExitFileFailed,
                QStringLiteral("\"%1\" cannot be %2: %3")
                    .arg(request.input, QString::fromLatin1(loaded.refused), loaded.error)};
    const PictureFormat mode = mode_for(request, loaded.mode);
    const FileFormat* format = writer_for(extension_of(request.output), mode);
    if (!format) return {kExitUsage, no_format_writes(request.output)};
    // A file of one kind takes the picture in that kind's shape; Vexlor's own holds 160 x 200.
    PictureFormat written = format->kind().value_or(mode);
    if (format->holds() == Holds::Pixels && mode_of(written).shape.width != kPictureColumns)
        written = fmtMulticolor;
    loaded.background = background_for(loaded, written, request);
    const ShapeChange change =
        change_shape(mode_of(loaded.mode), mode_of(written), loaded.picture.data(),
                     loaded.background, lab_palette(rendering_palette(loaded, request)));
    loaded.mode = written;
    const EncodedPicture encoded =
        encode_picture(written, mode_of(written).grid_of(loaded.picture.data()), loaded.background);
    const QString line = summary(request, loaded, encoded, change);
    if (request.strict && (encoded.inexact > 0 || change.changed > 0))
        return {kExitInexact, line + QStringLiteral("; nothing written (--strict)")};
    const QString error =
        write_file_atomically(request.output, output_bytes(*format, loaded, encoded, request));
    if (!error.isEmpty())
        return {kExitFileFailed,
                QStringLiteral("\"%1\" cannot be written: %2").arg(request.output, error)};
    return {kExitConverted, line};
}
