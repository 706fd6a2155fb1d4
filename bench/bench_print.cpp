#include "bench/bench_support.h"
#include "picture/picture.h"
#include "print/picture_print.h"
#include <QDir>
#include <QPrinter>
#include <vector>

namespace {

std::vector<std::uint8_t> varied_picture() {
    std::vector<std::uint8_t> picture(kPictureBytes);
    for (int i = 0; i < kPictureBytes; ++i) picture[i] = std::uint8_t((i / 7) % 16);
    return picture;
}

ConstPixelGrid grid_of(const std::vector<std::uint8_t>& picture) {
    return {picture.data(), kPictureColumns, kPictureRows};
}

// One page at the printer's full resolution into a PDF file: what Print costs once the dialog
// has been answered.
void BM_PrintToPdf(benchmark::State& state) {
    const std::vector<std::uint8_t> picture = varied_picture();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::temp().filePath("vexlor-bench.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(print_picture(printer, screen_image(grid_of(picture), 2)));
}

// The screen image alone, for the share the page's drawing and compression take.
void BM_ScreenImage(benchmark::State& state) {
    const std::vector<std::uint8_t> picture = varied_picture();
    for (auto _ : state) benchmark::DoNotOptimize(screen_image(grid_of(picture), 2));
}

} // namespace

VEXLOR_BENCH(BM_PrintToPdf, "Print to PDF");
VEXLOR_BENCH(BM_ScreenImage, "Print screen image");
