#include "bench/bench_support.h"
#include "c64/render.h"
#include "conversion/convert.h"
#include "formats/image_file.h"
#include "formats/koala.h"
#include "formats/rows.h"
#include "storage/picture_file.h"
#include <QDir>
#include <QFile>
#include <random>

namespace {

// A picture as one draws it: cells of up to four colours on black, a few with a fifth.
const PictureBytes& drawn_picture() {
    static const PictureBytes picture = [] {
        PictureBytes p{};
        std::mt19937 random(1);
        for (int cell = 0; cell < kCells; ++cell) {
            const std::uint8_t colors[5] = {
                0, std::uint8_t(random() % 16), std::uint8_t(random() % 16),
                std::uint8_t(random() % 16), std::uint8_t(cell % 50 ? 0 : 7)};
            for (int pixel = 0; pixel < kCellPixels; ++pixel)
                p[cell_pixel_offset(cell, pixel)] = colors[random() % 5];
        }
        return p;
    }();
    return picture;
}

QString temp_file(const char* name) { return QDir::temp().filePath(name); }

QString sample(const char* name) {
    return QStringLiteral(VEXLOR_SAMPLE_IMAGES "/%1.png").arg(name);
}

// Encoding the picture for the format's kind and writing the file through its row of the
// table, as an export does; a multicolour picture on the best background.
void export_c64(benchmark::State& state, const char* name, const FileFormat& format) {
    const PictureFormat kind = *format.kind();
    const ConstPixelGrid picture = multicolor_grid(drawn_picture());
    for (auto _ : state) {
        const std::uint8_t background = kind == fmtFli ? 0 : best_background(picture);
        benchmark::DoNotOptimize(save_file_atomically(
            temp_file(name),
            format.write({.encoded = encode_picture(kind, picture, background).image})));
    }
}

void BM_KoalaExport(benchmark::State& state) {
    export_c64(state, "vexlor-bench.koa", koala_format());
}

void BM_KoalaImport(benchmark::State& state) {
    save_file_atomically(temp_file("vexlor-bench.koa"),
                         write_koala(encode_multicolor(multicolor_grid(drawn_picture())).image));
    PictureBytes picture;
    for (auto _ : state) {
        QFile file(temp_file("vexlor-bench.koa"));
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.read(kKoalaMaxFileBytes + 1);
        const KoalaRead read = read_koala(
            {reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())});
        decode_multicolor(*read.image, multicolor_grid(picture));
        benchmark::DoNotOptimize(picture);
    }
}

void BM_PrgExport(benchmark::State& state) {
    export_c64(state, "vexlor-bench.prg", prg_viewer_format());
}

void BM_PngExport(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            save_file_atomically(temp_file("vexlor-bench.png"),
                                 png_format().write({.pixels = multicolor_grid(drawn_picture())})));
}

// What the zoom view runs after a plot to mark the cells an export cannot show.
void BM_Clashes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(find_clashes(multicolor_grid(drawn_picture())));
}

// A 320 x 200 photograph from its PNG file to a picture, as Import does it.
void BM_Conversion(benchmark::State& state, ConversionOptions options) {
    for (auto _ : state) {
        const ImageRead read = read_image_file(sample("wizard-320x200"));
        if (!read.error.isEmpty()) {
            state.SkipWithError("no sample images: ImageMagick's convert was not found");
            return;
        }
        benchmark::DoNotOptimize(convert_image(read.image, options));
    }
}

// The mean colour difference (CIE76) of the conversion and of the simple method on
// ImageMagick's own images, shown as counters.
void BM_ConversionError(benchmark::State& state, const char* name) {
    const ImageRead read = read_image_file(sample(name));
    if (!read.error.isEmpty()) {
        state.SkipWithError("no sample images: ImageMagick's convert was not found");
        return;
    }
    ConversionError best, black;
    for (auto _ : state) {
        best = measure_conversion(read.image, {.background = BackgroundChoice::Best});
        black = measure_conversion(read.image, {.background = BackgroundChoice::Black});
    }
    state.counters["dE_floor"] = best.floor;
    state.counters["dE_search_best_bg"] = best.searched;
    state.counters["dE_search_black"] = black.searched;
    state.counters["dE_simple"] = best.simple;
}

// What FLI gains over Multicolor on a photograph: the mean colour difference (CIE76) of each
// conversion and how much lower FLI's is, in per cent; and, since the 16 colours alone leave the
// floor's error, how much lower the error is that each format's limit adds to it.
void BM_FliErrorVsMulticolor(benchmark::State& state, const char* name) {
    const ImageRead read = read_image_file(sample(name));
    if (!read.error.isEmpty()) {
        state.SkipWithError("no sample images: ImageMagick's convert was not found");
        return;
    }
    ConversionError fli, multicolor;
    for (auto _ : state) {
        fli = measure_conversion(read.image, {.format = fmtFli});
        multicolor = measure_conversion(read.image, {});
    }
    state.counters["dE_floor"] = fli.floor;
    state.counters["dE_fli"] = fli.searched;
    state.counters["dE_multicolor"] = multicolor.searched;
    state.counters["fli_lower_pct"] = 100 * (1 - fli.searched / multicolor.searched);
    const double limit_error = multicolor.searched - multicolor.floor;
    state.counters["limit_lower_pct"] =
        limit_error > 0 ? 100 * (1 - (fli.searched - fli.floor) / limit_error) : 0;
}

// What the zoom view runs after a plot in FLI mode.
void BM_FliClashes(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(fli_clash_rows(multicolor_grid(drawn_picture()), 0));
}

void BM_FliExport(benchmark::State& state) {
    export_c64(state, "vexlor-bench.bml", fli_graph_format());
}

} // namespace

VEXLOR_BENCH(BM_FliExport, "FLI export");
VEXLOR_BENCH(BM_FliClashes, "FLI clash check");
BENCHMARK_CAPTURE(BM_Conversion, fli, ConversionOptions{.format = fmtFli})
    ->Name("Convert 320x200 PNG, FLI")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, fli_diffused,
                  ConversionOptions{.dither = Dither::FloydSteinberg, .format = fmtFli})
    ->Name("Convert PNG, FLI, Floyd-Steinberg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, fli_best,
                  ConversionOptions{.background = BackgroundChoice::Best, .format = fmtFli})
    ->Name("Convert PNG, FLI, best background")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, hires, ConversionOptions{.format = fmtHires})
    ->Name("Convert PNG, Hires")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, hires_diffused,
                  ConversionOptions{.dither = Dither::FloydSteinberg, .format = fmtHires})
    ->Name("Convert PNG, Hires, Floyd-Steinberg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, afli, ConversionOptions{.format = fmtAfli})
    ->Name("Convert PNG, AFLI")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, afli_diffused,
                  ConversionOptions{.dither = Dither::FloydSteinberg, .format = fmtAfli})
    ->Name("Convert PNG, AFLI, Floyd-Steinberg")
    ->Unit(benchmark::kMillisecond);
// The search runs on both cores: its processor time is that of both.
BENCHMARK_CAPTURE(BM_Conversion, search,
                  ConversionOptions{.background = BackgroundChoice::Best, .dither = Dither::Search})
    ->Name("Convert PNG, search")
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, fli_search,
                  ConversionOptions{.background = BackgroundChoice::Best,
                                    .dither = Dither::Search,
                                    .format = fmtFli})
    ->Name("Convert PNG, FLI, search")
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, hires_search,
                  ConversionOptions{.dither = Dither::Search, .format = fmtHires})
    ->Name("Convert PNG, Hires, search")
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, afli_search,
                  ConversionOptions{.dither = Dither::Search, .format = fmtAfli})
    ->Name("Convert PNG, AFLI, search")
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FliErrorVsMulticolor, rose, "rose")
    ->Name("FLI vs Multicolor error/rose")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FliErrorVsMulticolor, wizard, "wizard")
    ->Name("FLI vs Multicolor error/wizard")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FliErrorVsMulticolor, granite, "granite")
    ->Name("FLI vs Multicolor error/granite")
    ->Unit(benchmark::kMillisecond);
VEXLOR_BENCH(BM_KoalaExport, "Koala export");
VEXLOR_BENCH(BM_KoalaImport, "Koala import");
VEXLOR_BENCH(BM_PrgExport, "PRG export");
VEXLOR_BENCH(BM_PngExport, "PNG export 320x200");
VEXLOR_BENCH(BM_Clashes, "Clash check");
BENCHMARK_CAPTURE(BM_Conversion, plain, ConversionOptions{})
    ->Name("Convert 320x200 PNG")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, best, ConversionOptions{.background = BackgroundChoice::Best})
    ->Name("Convert PNG, best background")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, ordered, ConversionOptions{.dither = Dither::Ordered})
    ->Name("Convert PNG, ordered dither")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Conversion, diffused, ConversionOptions{.dither = Dither::FloydSteinberg})
    ->Name("Convert PNG, Floyd-Steinberg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionError, rose, "rose")
    ->Name("Colour error/rose")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionError, logo, "logo")
    ->Name("Colour error/logo")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionError, wizard, "wizard")
    ->Name("Colour error/wizard")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionError, granite, "granite")
    ->Name("Colour error/granite")
    ->Unit(benchmark::kMillisecond);
