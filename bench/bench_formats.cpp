// Reading and writing each C64 picture format of the table, as Import and the exports do.
#include "bench/bench_support.h"
#include "formats/format_table.h"
#include "modes/mode.h"
#include "tests/c64_support.h"

namespace {

const MulticolorImage& some_image() {
    static const MulticolorImage image = [] {
        std::mt19937 random(30);
        return encode_multicolor(multicolor_grid(random_encodable_picture(random, 6)), 6).image;
    }();
    return image;
}

C64Image image_for(const FileFormat& format) {
    if (format.kind() == fmtMulticolor) return some_image();
    StoredPicture picture{};
    decode_multicolor(some_image(), multicolor_grid(picture));
    convert_shape(mode_of(fmtMulticolor), mode_of(*format.kind()), picture.data());
    return encode_picture(*format.kind(), mode_of(*format.kind()).grid_of(picture.data()), 6).image;
}

// A file of the format: written by it, or, for one Vexlor only reads, the right length of zeros
// at the right address.
std::vector<std::uint8_t> file_for(const FileFormat& format) {
    if (format.writes()) return format.write({.encoded = image_for(format)});
    std::vector<std::uint8_t> file(format.length());
    file[0] = std::uint8_t(format.load_address());
    file[1] = std::uint8_t(format.load_address() >> 8);
    return file;
}

// Recognising the file among all the formats, reading it and decoding the picture.
void read_format(benchmark::State& state, const FileFormat* format) {
    const std::vector<std::uint8_t> file = file_for(*format);
    for (auto _ : state) {
        const PictureFileRead read = read_picture_file(file, format->extensions().front());
        benchmark::DoNotOptimize(decode_picture(*read.image));
    }
}

void write_format(benchmark::State& state, const FileFormat* format) {
    const PictureToWrite picture{.encoded = image_for(*format)};
    for (auto _ : state) benchmark::DoNotOptimize(format->write(picture));
}

const bool registered = [] {
    for (const FileFormat* format : c64_picture_formats()) {
        const std::string name(format->name());
        benchmark::RegisterBenchmark(("Read " + name).c_str(), read_format, format)
            ->Unit(benchmark::kMicrosecond);
        if (format->writes())
            benchmark::RegisterBenchmark(("Write " + name).c_str(), write_format, format)
                ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
