#include "bench/bench_support.h"
#include "conversion/quality.h"
#include "formats/image_file.h"
#include "modes/mode.h"
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
    {"hires", {.format = fmtHires}},
    {"hires_fs", {.dither = Dither::FloydSteinberg, .format = fmtHires}},
    {"afli", {.format = fmtAfli}},
    {"afli_fs", {.dither = Dither::FloydSteinberg, .format = fmtAfli}},
    {"mc_search", {.background = BackgroundChoice::Best, .dither = Dither::Search}},
    {"fli_search",
     {.background = BackgroundChoice::Best, .dither = Dither::Search, .format = fmtFli}},
    {"hires_search", {.dither = Dither::Search, .format = fmtHires}},
    {"afli_search", {.dither = Dither::Search, .format = fmtAfli}},
};

// The floor of a way: each pixel its nearest colour, at 160 x 200, or 320 x 200 in hires; and
// Floyd-Steinberg there with no limit to a cell.
std::string floor_of(const Way& way) {
    return mode_of(way.options.format).shape.pixel_aspect == 1 ? "floor_hires" : "floor";
}
std::string free_of(const Way& way) {
    return mode_of(way.options.format).shape.pixel_aspect == 1 ? "fs_free_hires" : "fs_free";
}

// Every way's figures for an image, and the floors; none when the image is not installed.
struct ImageFigures {
    std::map<std::string, Quality> ways, floors;
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
        figures.floors[floor_of(way)] = measured.floor;
        figures.floors[free_of(way)] = measured.unlimited;
    }
    return at->second = figures;
}

void show(benchmark::State& state, const ImageFigures& figures) {
    for (const auto* table : {&figures.ways, &figures.floors})
        for (const auto& [name, quality] : *table) {
            state.counters[name] = quality.plain;
            state.counters[name + "_blur"] = quality.blurred;
        }
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
// undithered multicolour less the floor (aim at most 0.15), AFLI dithered against hires
// dithered after the blur (aim under 1); each mode's search against its Floyd-Steinberg after
// the blur (aim at most 0.85).
void BM_QualityMean(benchmark::State& state) {
    const auto add = [](std::map<std::string, Quality>& sums,
                        const std::map<std::string, Quality>& figures) {
        for (const auto& [name, quality] : figures) {
            sums[name].plain += quality.plain;
            sums[name].blurred += quality.blurred;
        }
    };
    ImageFigures mean;
    int count = 0;
    for (auto _ : state)
        for (const TestImage& image : test_images()) {
            const std::optional<ImageFigures>& figures = figures_of(image);
            if (!figures) continue;
            ++count;
            add(mean.ways, figures->ways);
            add(mean.floors, figures->floors);
        }
    if (count == 0) {
        state.SkipWithError("no images installed");
        return;
    }
    for (auto* sums : {&mean.ways, &mean.floors})
        for (auto& [name, quality] : *sums) quality.plain /= count, quality.blurred /= count;
    show(state, mean);
    state.counters["images"] = count;
    state.counters["fli_fs_vs_mc_fs_blur"] =
        mean.ways["fli_fs"].blurred / mean.ways["mc_fs"].blurred;
    state.counters["fli_less_mc"] = mean.ways["fli"].plain - mean.ways["mc"].plain;
    state.counters["mc_over_floor"] = mean.ways["mc"].plain - mean.floors["floor"].plain;
    state.counters["afli_fs_vs_hires_fs_blur"] =
        mean.ways["afli_fs"].blurred / mean.ways["hires_fs"].blurred;
    for (const char* mode : {"mc", "fli", "hires", "afli"})
        state.counters[std::string(mode) + "_search_vs_fs_blur"] =
            mean.ways[std::string(mode) + "_search"].blurred /
            mean.ways[std::string(mode) + "_fs"].blurred;
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
