#include "bench/bench_support.h"
#include "bench/conversion_quality.h"
#include "formats/image_file.h"
#include <cstdio>
#include <map>
#include <string>

namespace {

// The project's sample images, and photographs that Debian's python3-skimage installs.
struct TestImage {
    const char* name;
    std::string path;
};

const std::vector<TestImage>& test_images() {
    static const std::vector<TestImage> images = [] {
        const std::string samples = VEXLOR_SAMPLE_IMAGES "/";
        const std::string photos = "/usr/lib/python3/dist-packages/skimage/data/";
        return std::vector<TestImage>{
            {"rose", samples + "rose.png"},
            {"logo", samples + "logo.png"},
            {"wizard", samples + "wizard.png"},
            {"granite", samples + "granite.png"},
            {"astronaut", photos + "astronaut.png"},
            {"chelsea", photos + "chelsea.png"},
            {"coffee", photos + "coffee.png"},
            {"rocket", photos + "rocket.jpg"},
            {"hubble", photos + "hubble_deep_field.jpg"},
            {"motorcycle", photos + "motorcycle_left.png"},
        };
    }();
    return images;
}

struct Way {
    const char* name;
    ConversionOptions options;
};

const Way kWays[] = {
    {"mc", {.background = BackgroundChoice::Best}},
    {"mc_fs", {.background = BackgroundChoice::Best, .dither = Dither::FloydSteinberg}},
    {"fli", {.background = BackgroundChoice::Best, .format = fmtFli}},
    {"fli_fs",
     {.background = BackgroundChoice::Best, .dither = Dither::FloydSteinberg, .format = fmtFli}},
};

// Every way's figures for an image, and the floor; none when the image is not installed.
struct ImageFigures {
    std::map<std::string, Quality> ways;
    Quality floor;
};

const std::optional<ImageFigures>& figures_of(const TestImage& image) {
    static std::map<std::string, std::optional<ImageFigures>> cache;
    auto [at, added] = cache.try_emplace(image.name);
    if (!added) return at->second;
    const ImageRead read = read_image_file(QString::fromStdString(image.path));
    if (!read.error.isEmpty()) return at->second;
    ImageFigures figures;
    for (const Way& way : kWays) {
        const QualityFigures measured = measure_quality(read.image, way.options);
        figures.ways[way.name] = measured.converted;
        figures.floor = measured.floor;
    }
    return at->second = figures;
}

void show(benchmark::State& state, const ImageFigures& figures) {
    for (const auto& [name, quality] : figures.ways) {
        state.counters[name] = quality.plain;
        state.counters[name + "_blur"] = quality.blurred;
    }
    state.counters["floor"] = figures.floor.plain;
    state.counters["floor_blur"] = figures.floor.blurred;
}

// The mean CIEDE2000 of each way, plain and blurred (see conversion_quality.h), and the floor.
void BM_Quality(benchmark::State& state, const TestImage& image) {
    std::optional<ImageFigures> figures;
    for (auto _ : state) figures = figures_of(image);
    if (!figures) {
        state.SkipWithError("image not installed");
        return;
    }
    show(state, *figures);
}

// The same over every installed image, with the aims: FLI dithered against multicolour
// dithered after the blur (aim at most 0.8), undithered FLI less multicolour (aim at most 0),
// undithered multicolour less the floor (aim at most 0.15).
void BM_QualityMean(benchmark::State& state) {
    ImageFigures mean;
    int count = 0;
    for (auto _ : state)
        for (const TestImage& image : test_images()) {
            const std::optional<ImageFigures>& figures = figures_of(image);
            if (!figures) continue;
            ++count;
            for (const auto& [name, quality] : figures->ways) {
                mean.ways[name].plain += quality.plain;
                mean.ways[name].blurred += quality.blurred;
            }
            mean.floor.plain += figures->floor.plain;
            mean.floor.blurred += figures->floor.blurred;
        }
    if (count == 0) {
        state.SkipWithError("no images installed");
        return;
    }
    for (auto& [name, quality] : mean.ways) quality.plain /= count, quality.blurred /= count;
    mean.floor.plain /= count, mean.floor.blurred /= count;
    show(state, mean);
    state.counters["images"] = count;
    state.counters["fli_fs_vs_mc_fs_blur"] =
        mean.ways["fli_fs"].blurred / mean.ways["mc_fs"].blurred;
    state.counters["fli_less_mc"] = mean.ways["fli"].plain - mean.ways["mc"].plain;
    state.counters["mc_over_floor"] = mean.ways["mc"].plain - mean.floor.plain;
}

const bool kRegistered = [] {
    for (const TestImage& image : test_images())
        benchmark::RegisterBenchmark(
            ("Conversion quality/" + std::string(image.name)).c_str(),
            [&image](benchmark::State& state) { BM_Quality(state, image); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Conversion quality/mean", BM_QualityMean)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
