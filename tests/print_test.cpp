// Printing the picture: the page it makes, the dialogs, the PDF file read back with pdftoppm.
#include "app/Main.h"
#include "platform/common_dialogs.h"
#include "print/picture_print.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What on the page is not paper.
QRect printed_area(const QImage& page) {
    QRect area;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y) != Qt::white) area |= QRect(x, y, 1, 1);
    return area;
}

::testing::AssertionResult ShowsColor(const QImage& page, QPoint at, TColor color) {
    const QColor seen = page.pixelColor(at);
    if (std::abs(seen.red() - int(RedOf(color))) <= 4 &&
        std::abs(seen.green() - int(GreenOf(color))) <= 4 &&
        std::abs(seen.blue() - int(BlueOf(color))) <= 4)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the page shows " << seen.name().toStdString() << " at (" << at.x() << ", " << at.y()
           << "), not " << Hex(color);
}

struct Printing : ::testing::Test {
    void SetUp() override { ResetEditor(); }
    void TearDown() override { SetPrintDialogAnswer(nullptr); }
    // The left half of the picture in colour 2, the right half in colour 6.
    static void paint_halves() {
        for (int row = 0; row < kPictureRows; ++row)
            for (int column = 0; column < kPictureColumns; ++column)
                okno2->picture[row * kPictureColumns + column] = column < 80 ? 2 : 6;
    }
};

} // namespace

TEST(PrintedArea, IsTheLargestCentredRectangleOfThePicturesShape) {
    const struct {
        QRectF page, area;
    } cases[] = {
        {{0, 0, 640, 400}, {0, 0, 640, 400}},
        {{0, 0, 1000, 400}, {180, 0, 640, 400}},
        {{0, 0, 320, 1000}, {0, 400, 320, 200}},
        {{10, 20, 160, 300}, {10, 120, 160, 100}},
    };
    for (const auto& c : cases) EXPECT_EQ(picture_area(c.page, QSize(320, 200)), c.area);
}

// With no printer the dialog opens on a PDF file in the home folder named after the picture;
// accepted as it opens, it gives one page with the picture as large as the page allows.
TEST_F(Printing, AcceptedAsItOpensThePrintDialogGivesAOnePagePdfOfThePicture) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed; the test would print on it";
    paint_halves();
    bool print_dialog = false;
    QPointer<QTimer> waiting = WhenModal([&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        print_dialog = qobject_cast<QPrintDialog*>(dialog) != nullptr;
        dialog->accept();
    });
    okno1->FilePrintItem->trigger();
    delete waiting; // where no dialog came, no later one is answered by this test
    EXPECT_TRUE(print_dialog);
    const QString pdf = QDir::home().filePath("picture0.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const RenderedPdf rendered = render_pdf(pdf);
    EXPECT_EQ(rendered.pages, 1);
    ASSERT_FALSE(rendered.first.isNull());
    const QImage& page = rendered.first;
    const QRect area = printed_area(page);
    EXPECT_NEAR(double(area.width()) / area.height(), 1.6, 0.03);
    EXPECT_GT(area.width(), page.width() * 8 / 10);
    EXPECT_NEAR(area.center().x(), page.width() / 2, 3);
    EXPECT_NEAR(area.center().y(), page.height() / 2, 3);
    const int middle = area.center().y();
    EXPECT_TRUE(ShowsColor(page, {area.left() + area.width() / 4, middle}, palette_color(2)));
    EXPECT_TRUE(ShowsColor(page, {area.left() + area.width() * 3 / 4, middle}, palette_color(6)));
}

// The page setup chosen holds for the prints that follow; the file offered is named after the
// picture's own file.
TEST_F(Printing, PrintUsesThePageSetupAndOffersAPdfNamedAfterThePicture) {
    bool setup_dialog = false;
    QPointer<QTimer> waiting = WhenModal([&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        setup_dialog = qobject_cast<QPageSetupDialog*>(dialog) != nullptr;
        dialog->reject();
    });
    okno1->FilePrintSetupItem->trigger();
    delete waiting;
    EXPECT_TRUE(setup_dialog);

    QString offered;
    SetPrintDialogAnswer([&](PrintDialogKind kind, QPrinter& printer) {
        if (kind == PrintDialogKind::PageSetup) {
            printer.setOutputFormat(QPrinter::PdfFormat); // no printer may be at hand
            printer.setPageOrientation(QPageLayout::Landscape);
        } else {
            offered = printer.outputFileName();
        }
        return true;
    });
    okno1->FilePrintSetup();
    okno1->set_picture_path(QDir::home().filePath("pictures/wizard.vxr"));
    okno1->FilePrint();
    EXPECT_EQ(offered, QDir::home().filePath("wizard.pdf"));
    const RenderedPdf rendered = render_pdf(offered);
    ASSERT_FALSE(rendered.first.isNull());
    EXPECT_GT(rendered.first.width(), rendered.first.height());
}

// A PDF that cannot be written is a print that failed, and the user is told where.
TEST_F(Printing, APrintThatCannotBeWrittenSaysSo) {
    QStringList errors;
    SetErrorMessageDisplay([&](const QString&, const QString& text) { errors << text; });
    const QString nowhere = QDir::home().filePath("no/such/folder/picture.pdf");
    SetPrintDialogAnswer([&](PrintDialogKind, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(nowhere);
        return true;
    });
    okno1->FilePrint();
    SetErrorMessageDisplay(nullptr);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("could not be printed to \"" + nowhere))
        << errors[0].toStdString();
}
