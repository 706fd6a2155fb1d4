#include "bench/bench_support.h"
#include "conversion/convert.h"
#include "formats/image_file.h"
#include <QImage>

namespace {

// ImageMagick's wizard, stretched to a photo's 1024 x 768.
QImage photo_1024() {
    const QImage wizard(QStringLiteral(VEXLOR_SAMPLE_IMAGES "/wizard.png"));
    return wizard.scaled(1024, 768, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// What Import's preview does after a slider moves: the working copy made anew from the decoded
// photo with the new tones and a crop, then (with `convert`) converted as the dialog shows it.
void preview(benchmark::State& state, bool convert) {
    const QImage photo = photo_1024();
    if (photo.isNull()) {
        state.SkipWithError("no sample images: ImageMagick's convert was not found");
        return;
    }
    ImageAdjustments adjustments{.contrast = 15, .saturation = 130, .gamma = 1.2};
    adjustments.crop = PixelArea{100, 50, 800, 600};
    int step = 0;
    for (auto _ : state) {
        adjustments.brightness = ++step % 41 - 20;
        const RgbImage copy = working_copy(photo, adjustments);
        if (convert) benchmark::DoNotOptimize(convert_image(copy, {}));
        benchmark::DoNotOptimize(copy.rgb.data());
    }
}

void BM_ImportAdjust(benchmark::State& state) { preview(state, false); }
void BM_ImportPreview(benchmark::State& state) { preview(state, true); }

} // namespace

BENCHMARK(BM_ImportAdjust)
    ->Name("Import 1024x768 photo: adjustments")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPreview)
    ->Name("Import 1024x768 photo: adjustments and preview conversion")
    ->Unit(benchmark::kMillisecond);
