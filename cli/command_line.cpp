#include "cli/command_line.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char*, PaletteId>, 4> kPaletteNames = {{
    {"vexlor", PaletteId::Vexlor},
    {"pepto", PaletteId::Pepto},
    {"colodore", PaletteId::Colodore},
    {"vice", PaletteId::ViceColodore},
}};
const std::array<std::pair<const char*, PictureFormat>, 5> kModeNames = {{
    {"multicolour", fmtMulticolor},
    {"multicolor", fmtMulticolor},
    {"fli", fmtFli},
    {"hires", fmtHires},
    {"afli", fmtAfli},
}};
const std::array<std::pair<const char*, Dither>, 4> kDitherNames = {{
    {"none", Dither::None},
    {"ordered", Dither::Ordered},
    {"floyd-steinberg", Dither::FloydSteinberg},
    {"search", Dither::Search},
}};

// The parser's options, kept together so that the choices can be read back from it.
struct Options {
    QCommandLineOption convert{"convert", "Convert the picture or image IN to OUT, whose "
                                          "extension chooses the format: a C64 picture file (.koa "
                                          "or .kla Koala, .bml FLI, .ocp, .a64, ...: see the "
                                          "manual), .prg (a C64 program showing it), .png, .vxr."};
    QCommandLineOption palette{"palette",
                               "The palette an image is matched to: auto (the one it was drawn "
                               "in, or Colodore), vexlor, pepto, colodore or vice.",
                               "name", "auto"};
    QCommandLineOption background{
        "background",
        "The background: black (for images, the default), best, or a C64 colour number 0-15. "
        "A picture keeps its own unless one is given.",
        "colour"};
    QCommandLineOption dither{"dither",
                              "How an image is dithered: none, ordered, floyd-steinberg, or "
                              "search (slower: it improves on floyd-steinberg as the picture "
                              "looks from a distance).",
                              "method", "none"};
    QCommandLineOption mode{"mode",
                            "The picture's mode: multicolour, fli, hires or afli. By default a "
                            "hires or AFLI file's own, else OUT's when it names a hires or AFLI "
                            "file, FLI when IN is an FLI file or OUT an FLI format, else "
                            "multicolour.",
                            "mode"};
    QCommandLineOption pal{"pal", "Write the .png as a PAL television shows the picture: colour "
                                  "mixed with the line above and softened along the line."};
    QCommandLineOption strict{"strict", "Write nothing, and exit with 3, when a cell (in FLI a "
                                        "row of 4 pixels) holds more colours than a C64 can show, "
                                        "or a change of mode to another width changes pixels."};
    // An image's adjustments, made before it is converted, in ImageMagick's order and terms.
    QCommandLineOption brightness{"brightness",
                                  "Lighten or darken an image, -100 to 100 percent (as "
                                  "ImageMagick's -brightness-contrast Bx0).",
                                  "B", "0"};
    QCommandLineOption contrast{"contrast",
                                "Raise or lower an image's contrast, -100 to 100 percent (as "
                                "ImageMagick's -brightness-contrast 0xC).",
                                "C", "0"};
    QCommandLineOption saturation{"saturation",
                                  "Scale an image's saturation, 0 (grey) to 300 percent (as "
                                  "ImageMagick's -modulate 100,S).",
                                  "S", "100"};
    QCommandLineOption gamma{"gamma",
                             "Correct an image's gamma, 0.1 to 10; above 1 lightens the middle "
                             "tones (as ImageMagick's -gamma G).",
                             "G", "1"};
    QCommandLineOption crop{"crop",
                            "Take the part of an image W x H pixels from X, Y (as ImageMagick's "
                            "-crop WxH+X+Y +repage).",
                            "X,Y,W,H"};
    QCommandLineOption place{"place",
                             "Lay the image onto the C64's 320 x 200 screen at X, Y, W x H "
                             "screen pixels (it may reach past the edges); the rest of the "
                             "picture is the background. By default it is fitted whole and "
                             "centred.",
                             "X,Y,W,H"};
};

// Qt's own options for the editor's windows (-platform offscreen, -style fusion, and -session,
// which session managers give a restored program): the application object takes them, so they
// are let through unnamed in the help.
QList<QCommandLineOption> qt_options() {
    QList<QCommandLineOption> options;
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "session", "display", "name",
          "style", "stylesheet", "qmljsdebugger"})
        options << QCommandLineOption(name, {}, "value");
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        options << QCommandLineOption(name);
    for (QCommandLineOption& option : options) option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

void set_up(QCommandLineParser& parser, const Options& options) {
    // Qt's options start with one dash: -platform is not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(qt_options());
    parser.setApplicationDescription(
        "Vexlor, an editor for Commodore 64 multicolour bitmap pictures.\n"
        "Opens FILE (a .vxr picture, a Koala picture or an image) when given.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({options.convert, options.palette, options.background, options.dither,
                       options.mode, options.pal, options.strict, options.brightness,
                       options.contrast, options.saturation, options.gamma, options.crop,
                       options.place});
    parser.addPositionalArgument("FILE", "The picture to open, or IN and OUT with --convert.",
                                 "[FILE | IN OUT]");
}

template <class Value, std::size_t N>
std::optional<Value> named(const std::array<std::pair<const char*, Value>, N>& names,
                           const QString& name) {
    for (const auto& [text, value] : names)
        if (name == QLatin1String(text)) return value;
    return std::nullopt;
}

CommandLine usage(const QString& problem) { return {CommandLine::Mode::Usage, {}, {}, problem}; }

// Reads --background into the conversion's choices; false when it names no colour.
bool read_background(const QString& text, ConversionOptions& options) {
    bool number = false;
    const int c64_number = text.toInt(&number);
    if (text == "black") {
        options.background = BackgroundChoice::Black;
    } else if (text == "best") {
        options.background = BackgroundChoice::Best;
    } else if (number && c64_number >= 0 && c64_number <= 15) {
        options.background = BackgroundChoice::Given;
        options.given_background = vexlor_color_index(std::uint8_t(c64_number));
    } else {
        return false;
    }
    return true;
}

// "x,y,w,h" as a rectangle; none where it is not four whole numbers.
std::optional<PixelArea> read_area(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> numbers{};
    for (int i = 0; i < 4; ++i) {
        bool number = false;
        numbers[std::size_t(i)] = parts[i].trimmed().toInt(&number);
        if (!number) return std::nullopt;
    }
    return PixelArea{numbers[0], numbers[1], numbers[2], numbers[3]};
}

// Reads the image's adjustments; what is wrong with them, or nothing.
QString read_adjustments(const QCommandLineParser& parser, const Options& options,
                         ImageAdjustments& adjustments) {
    const std::pair<const QCommandLineOption*, int*> whole[] = {
        {&options.brightness, &adjustments.brightness},
        {&options.contrast, &adjustments.contrast},
        {&options.saturation, &adjustments.saturation}};
    for (const auto& [option, value] : whole) {
        bool number = false;
        *value = parser.value(*option).toInt(&number);
        if (!number)
            return QString("--%1 takes a whole number, not \"%2\"")
                .arg(option->names().first(), parser.value(*option));
    }
    bool number = false;
    adjustments.gamma = parser.value(options.gamma).toDouble(&number);
    if (!number)
        return QString("--gamma takes a number, not \"%1\"").arg(parser.value(options.gamma));
    const std::pair<const QCommandLineOption*, std::optional<PixelArea>*> areas[] = {
        {&options.crop, &adjustments.crop}, {&options.place, &adjustments.place}};
    for (const auto& [option, area] : areas) {
        if (!parser.isSet(*option)) continue;
        *area = read_area(parser.value(*option));
        if (!*area)
            return QString("--%1 takes X,Y,W,H, four whole numbers, not \"%2\"")
                .arg(option->names().first(), parser.value(*option));
    }
    if (const std::optional<const char*> error = adjustments_error(adjustments))
        return QString::fromLatin1(*error);
    return {};
}

CommandLine conversion(const QCommandLineParser& parser, const Options& options) {
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) return usage("--convert takes two files, IN and OUT");
    CommandLine line{CommandLine::Mode::Convert, {}, {}, {}};
    ConvertRequest& request = line.convert;
    request.input = files[0];
    request.output = files[1];
    if (!output_format_of(request.output)) return usage(no_format_writes(request.output));
    const QString palette = parser.value(options.palette);
    if (palette != "auto") {
        request.options.palette = named(kPaletteNames, palette);
        if (!request.options.palette) return usage(QString("unknown palette \"%1\"").arg(palette));
    }
    const std::optional<Dither> dither = named(kDitherNames, parser.value(options.dither));
    if (!dither)
        return usage(QString("unknown dithering \"%1\"").arg(parser.value(options.dither)));
    request.options.dither = *dither;
    request.background_asked = parser.isSet(options.background);
    if (request.background_asked &&
        !read_background(parser.value(options.background), request.options))
        return usage(QString("unknown background \"%1\"").arg(parser.value(options.background)));
    if (parser.isSet(options.mode)) {
        request.mode = named(kModeNames, parser.value(options.mode));
        if (!request.mode)
            return usage(QString("unknown mode \"%1\"").arg(parser.value(options.mode)));
    }
    if (const QString problem = read_adjustments(parser, options, request.adjustments);
        !problem.isEmpty())
        return usage(problem);
    request.strict = parser.isSet(options.strict);
    request.pal = parser.isSet(options.pal);
    if (request.pal && !request.output.endsWith(".png", Qt::CaseInsensitive))
        return usage("--pal goes with a .png OUT");
    return line;
}

// Whether Qt, decoding the bytes as a file's name and encoding that back, names the same file.
bool names_itself(const QByteArray& name) {
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

// "bad\xFFname.koa": the name as given, each byte that is no part of UTF-8 text as \xFF.
QString shown_name(const QByteArray& name) {
    QString shown;
    for (qsizetype at = 0; at < name.size();) {
        qsizetype length = 1; // a character takes up to 4 bytes
        while (length <= 4 && !names_itself(name.mid(at, length))) ++length;
        if (length > 4) {
            shown += QString::asprintf("\\x%02X", unsigned(std::uint8_t(name[at])));
            length = 1;
        } else {
            shown += QFile::decodeName(name.mid(at, length));
        }
        at += length;
    }
    return shown;
}

} // namespace

CommandLine parse_command_line(int argc, char** argv) {
    QStringList arguments;
    QHash<QString, QByteArray> not_text; // what Qt makes of each argument that is not text
    for (int i = 0; i < argc; ++i) {
        const QByteArray given(argv[i]);
        arguments << QFile::decodeName(given);
        if (!names_itself(given)) not_text.insert(arguments.back(), given);
    }
    CommandLine line = parse_command_line(arguments);
    ConvertRequest& request = line.convert;
    if (not_text.contains(request.input))
        request.undecodable_input = shown_name(not_text[request.input]);
    if (not_text.contains(request.output))
        request.undecodable_output = shown_name(not_text[request.output]);
    return line;
}

CommandLine parse_command_line(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options;
    set_up(parser, options);
    if (!parser.parse(arguments)) return usage(parser.errorText());
    if (parser.isSet("help") || parser.isSet("help-all"))
        return {CommandLine::Mode::Help, {}, {}, {}};
    if (parser.isSet("version")) return {CommandLine::Mode::Version, {}, {}, {}};
    if (parser.isSet(options.convert)) return conversion(parser, options);
    for (const QCommandLineOption* option :
         {&options.palette, &options.background, &options.dither, &options.mode, &options.pal,
          &options.strict, &options.brightness, &options.contrast, &options.saturation,
          &options.gamma, &options.crop, &options.place})
        if (parser.isSet(*option))
            return usage(QString("--%1 goes with --convert").arg(option->names().first()));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return usage("the editor opens one file at a time");
    return {CommandLine::Mode::Edit, files.value(0), {}, {}};
}

QString usage_line() {
    return QStringLiteral(
        "Usage: vexlor [FILE] | vexlor --convert IN OUT [--palette NAME] "
        "[--background COLOUR] [--dither METHOD] [--mode MODE] [--pal] [--strict] "
        "[--brightness B] [--contrast C] [--saturation S] [--gamma G] [--crop X,Y,W,H] "
        "[--place X,Y,W,H]");
}

QString help_text() {
    QCommandLineParser parser;
    const Options options;
    set_up(parser, options);
    return parser.helpText();
}
