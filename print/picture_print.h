#pragma once
#include "geometry/geometry.h"
#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The largest rectangle of the shape of `screen` (the picture as shown) that fits `page`,
// centred in it.
QRectF picture_area(const QRectF& page, const QSize& screen);

// The picture as a C64 shows it, in the displayed palette: each picture pixel `pixel_aspect`
// screen pixels wide (320 x 200 for the multicolour bitmap).
QImage screen_image(ConstPixelGrid picture, int pixel_aspect);

// Draws the picture as shown on one page, as large as the printable area allows; false when
// the printer could not start (an output file that cannot be written, say).
bool print_picture(QPrinter& printer, const QImage& screen);

// Who answers the print and page setup dialogs: the real dialogs, unless a test answers them
// (true for Print or OK, after changing the printer as the user would).
enum class PrintDialogKind { Print, PageSetup };
void SetPrintDialogAnswer(std::function<bool(PrintDialogKind, QPrinter&)> answer);

// The printer of the run, made when first needed and kept, so that the page setup chosen holds
// for every print that follows.
class PicturePrinter {
public:
    PicturePrinter();
    ~PicturePrinter();

    // The page setup dialog on the printer.
    void page_setup(QWidget* parent);
    // The print dialog, then the picture on the printer it leaves. Where the printer writes a
    // PDF file, the dialog offers one in the home folder named after the picture ("wizard.vxr"
    // gives ~/wizard.pdf). False when cancelled or when printing failed (the user is told).
    bool print(QWidget* parent, const QImage& screen, const QString& picture_name);

private:
    QPrinter& printer();
    std::unique_ptr<QPrinter> printer_;
};
