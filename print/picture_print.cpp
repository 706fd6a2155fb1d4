#include "print/picture_print.h"
#include "display/displayed_palette.h"
#include "platform/common_dialogs.h"
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <array>

QRectF picture_area(const QRectF& page, const QSize& screen) {
    const double scale = std::min(page.width() / screen.width(), page.height() / screen.height());
    QRectF area(0, 0, screen.width() * scale, screen.height() * scale);
    area.moveCenter(page.center());
    return area;
}

QImage screen_image(ConstPixelGrid picture, int pixel_aspect) {
    QImage image(picture.width * pixel_aspect, picture.height, QImage::Format_RGB32);
    std::array<std::uint32_t, 16> words;
    std::ranges::transform(shown_colors(), words.begin(), SurfaceWord);
    for (int row = 0; row < picture.height; ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
        const std::uint8_t* pixels = picture.row(row);
        for (int column = 0; column < picture.width; ++column) {
            const std::uint32_t word = words[pixels[column] & 0x0F];
            for (int i = 0; i < pixel_aspect; ++i) *line++ = word;
        }
    }
    return image;
}

bool print_picture(QPrinter& printer, const QImage& screen) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF area =
        picture_area(QRectF(QPointF(0, 0), QSizeF(painter.viewport().size())), screen.size());
    // Enlarged here by a whole factor, each pixel a sharp block; a printer or viewer that
    // smooths what it scales then blurs only a thin seam between blocks.
    const int factor = std::clamp(int(area.width()) / screen.width(), 1, 8);
    const QImage image =
        screen.scaled(screen.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(area, image);
    return painter.end();
}

static std::function<bool(PrintDialogKind, QPrinter&)>& dialogAnswer() {
    static std::function<bool(PrintDialogKind, QPrinter&)> answer;
    return answer;
}

void SetPrintDialogAnswer(std::function<bool(PrintDialogKind, QPrinter&)> answer) {
    dialogAnswer() = std::move(answer);
}

PicturePrinter::PicturePrinter() = default;
PicturePrinter::~PicturePrinter() = default;

// Asking for the printers takes a moment, so it waits until someone prints.
QPrinter& PicturePrinter::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void PicturePrinter::page_setup(QWidget* parent) {
    if (dialogAnswer()) {
        dialogAnswer()(PrintDialogKind::PageSetup, printer());
        return;
    }
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

bool PicturePrinter::print(QWidget* parent, const QImage& screen, const QString& picture_name) {
    QPrinter& target = printer();
    target.setDocName(picture_name);
    if (target.outputFormat() == QPrinter::PdfFormat)
        target.setOutputFileName(
            QDir::home().filePath(QFileInfo(picture_name).completeBaseName() + ".pdf"));
    bool accepted = false;
    if (dialogAnswer()) {
        accepted = dialogAnswer()(PrintDialogKind::Print, target);
    } else {
        QPrintDialog dialog(&target, parent);
        // One page, and no selection to print.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return false;
    if (print_picture(target, screen)) return true;
    const QString where =
        target.outputFileName().isEmpty() ? target.printerName() : target.outputFileName();
    ShowErrorMessage(QStringLiteral("Vexlor"),
                     QStringLiteral("The picture could not be printed to \"%1\".").arg(where));
    return false;
}
