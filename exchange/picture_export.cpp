#include "exchange/picture_export.h"
#include "c64/koala.h"
#include "c64/prg.h"
#include "c64/render.h"
#include "exchange/image_file.h"
#include "exchange/png_options_dialog.h"
#include "storage/picture_file.h"
#include <QApplication>
#include <QBuffer>

namespace {

// A file the C64 reads: its encoding of the multicolour bitmap and its names.
struct C64Format {
    QString filter;
    QString extension;
    std::vector<std::uint8_t> (*write)(const MulticolorImage&);
};

const C64Format kKoala{QStringLiteral("Koala pictures|*.koa;*.kla|All Files|*.*"),
                       QStringLiteral("koa"), write_koala};
const C64Format kPrg{QStringLiteral("C64 programs|*.prg|All Files|*.*"), QStringLiteral("prg"),
                     write_prg};

bool export_as(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background,
               const C64Format& format) {
    const Encoding encoding = encode_multicolor(picture, background);
    if (encoding.inexact_cells > 0 &&
        !AskQuestion(QStringLiteral("Vexlor"),
                     QStringLiteral("%1 of the picture's %2 cells hold more colours than a C64 can "
                                    "show there. Each keeps its most used colours, and its other "
                                    "pixels take the nearest of those.")
                         .arg(encoding.inexact_cells)
                         .arg(kCells),
                     QStringLiteral("Export anyway"), QStringLiteral("Cancel")))
        return false;
    dialog.Filter = format.filter;
    dialog.DefaultExt = format.extension;
    if (!dialog.Execute()) return false;
    return save_file_atomically(dialog.GetFileName(), format.write(encoding.image));
}

} // namespace

bool export_koala(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_as(dialog, picture, background, kKoala);
}

bool export_prg(TSaveDialog& dialog, const std::uint8_t* picture, std::uint8_t background) {
    return export_as(dialog, picture, background, kPrg);
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
