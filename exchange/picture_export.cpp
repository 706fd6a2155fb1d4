#include "exchange/picture_export.h"
#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "c64/render.h"
#include "exchange/png_options_dialog.h"
#include "formats/codecs.h"
#include "formats/fli_file.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "formats/koala.h"
#include "storage/picture_file.h"
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>

namespace {

// A file the C64 reads: its names, and how it is written from the encoded picture.
template <class Image> struct C64Format {
    QString filter;
    QString extension;
    std::vector<std::uint8_t> (*write)(const Image&);
};

const QString kPrgFilter = QStringLiteral("C64 programs|*.prg|All Files|*.*");
const C64Format<MulticolorImage> kKoala{QStringLiteral("Koala pictures|*.koa;*.kla|All Files|*.*"),
                                        QStringLiteral("koa"), write_koala};
const C64Format<MulticolorImage> kPrg{kPrgFilter, QStringLiteral("prg"), write_prg};
const C64Format<FliImage> kFli{QStringLiteral("FLI Graph pictures|*.bml;*.fli|All Files|*.*"),
                               QStringLiteral("bml"), write_fli_graph};
const C64Format<FliImage> kFliPrg{kPrgFilter, QStringLiteral("prg"), write_fli_prg};

// `inexact` of the picture's `parts` cannot be shown exactly: whether to go on all the same.
bool export_anyway(int inexact, int parts, const QString& part_names) {
    return inexact == 0 ||
           AskQuestion(QStringLiteral("Vexlor"),
                       QStringLiteral("%1 of the picture's %2 %3 hold more colours than a C64 can "
                                      "show there. Each keeps its most used colours, and its "
                                      "other pixels take the nearest of those.")
                           .arg(inexact)
                           .arg(parts)
                           .arg(part_names),
                       QStringLiteral("Export anyway"), QStringLiteral("Cancel"));
}

template <class Image>
bool save_as(TSaveDialog& dialog, const Image& image, const C64Format<Image>& format) {
    dialog.Filter = format.filter;
    dialog.DefaultExt = format.extension;
    if (!dialog.Execute()) return false;
    return save_file_atomically(dialog.GetFileName(), format.write(image));
}

bool export_as(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background,
               const C64Format<MulticolorImage>& format) {
    const Encoding encoding = encode_multicolor(picture, background);
    return export_anyway(encoding.inexact_cells, kCells, QStringLiteral("cells")) &&
           save_as(dialog, encoding.image, format);
}

bool export_fli_as(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background,
                   const C64Format<FliImage>& format) {
    const FliEncoding encoding = encode_fli(picture, background);
    return export_anyway(int(encoding.inexact.count()), kCellRowsOfPicture,
                         QStringLiteral("rows of 4 pixels")) &&
           save_as(dialog, encoding.image, format);
}

QString from_view(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The formats Export as Other C64 Format offers: Koala and FLI have items of their own.
std::vector<const PictureCodec*> other_c64_formats() {
    std::vector<const PictureCodec*> formats;
    for (const PictureCodec* codec : picture_codecs())
        if (codec->writes() && codec->kind() == PictureKind::Multicolor && codec != &koala_codec())
            formats.push_back(codec);
    return formats;
}

// "Artist 64 (*.a64)|*.a64|Blazing Paddles (*.pi *.bpi)|*.pi;*.bpi|..."
QString filter_of(const std::vector<const PictureCodec*>& formats) {
    QStringList entries;
    for (const PictureCodec* codec : formats) {
        QStringList patterns;
        for (std::string_view name : codec->usual_names())
            patterns << QStringLiteral("*.") + from_view(name);
        QString name = from_view(codec->name());
        name[0] = name[0].toUpper(); // "packed Drazpaint" heads its entry
        entries << QStringLiteral("%1 (%2)|%3").arg(name, patterns.join(' '), patterns.join(';'));
    }
    return entries.join('|');
}

// The format the name's extension gives, else the dialog's chosen entry; a name without an
// extension takes that format's.
const PictureCodec& chosen_format(TSaveDialog& dialog,
                                  const std::vector<const PictureCodec*>& formats) {
    const std::string suffix = QFileInfo(dialog.FileName).suffix().toStdString();
    for (const PictureCodec* codec : formats)
        if (codec->has_usual_name(suffix)) return *codec;
    const PictureCodec& chosen =
        *formats[std::size_t(std::clamp(dialog.FilterIndex, 1, int(formats.size())) - 1)];
    if (suffix.empty()) {
        if (!dialog.FileName.endsWith('.')) dialog.FileName += '.';
        dialog.FileName += from_view(chosen.usual_names().front());
    }
    return chosen;
}

} // namespace

bool export_other_c64(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    const Encoding encoding = encode_multicolor(picture, background);
    if (!export_anyway(encoding.inexact_cells, kCells, QStringLiteral("cells"))) return false;
    const std::vector<const PictureCodec*> formats = other_c64_formats();
    dialog.Filter = filter_of(formats);
    dialog.DefaultExt.clear();
    if (!dialog.Execute()) return false;
    const PictureCodec& format = chosen_format(dialog, formats);
    return save_file_atomically(dialog.GetFileName(), format.write(encoding.image));
}

bool export_koala(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_as(dialog, picture, background, kKoala);
}

bool export_prg(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_as(dialog, picture, background, kPrg);
}

bool export_fli(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_fli_as(dialog, picture, background, kFli);
}

bool export_fli_prg(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_fli_as(dialog, picture, background, kFliPrg);
}

bool export_png(TSaveDialog& dialog, const std::uint8_t* picture) {
    dialog.Filter = QStringLiteral("PNG images|*.png|All Files|*.*");
    dialog.DefaultExt = QStringLiteral("png");
    if (!dialog.Execute()) return false;
    PngOptionsDialog options(QApplication::activeWindow());
    if (options.exec() != QDialog::Accepted) return false;
    return save_file_atomically(dialog.GetFileName(),
                                encode_png(render_picture(picture, options.options())));
}

std::vector<std::uint8_t> encode_png(const RgbImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    to_qimage(image).save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}
