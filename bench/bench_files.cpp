#include "bench/bench_support.h"
#include "formats/vxr.h"
#include "picture/picture.h"
#include "storage/picture_file.h"
#include <QDir>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct PictureFile {
    QString path = QDir::temp().filePath("vexlor-bench.vxr");
    std::vector<std::uint8_t> picture = std::vector<std::uint8_t>(kPictureBytes);
    std::vector<std::uint8_t> bytes;
    PictureFile() {
        for (int i = 0; i < kPictureBytes; ++i) picture[i] = std::uint8_t((i / 7) % 16);
        bytes = encode_vxr(multicolor_grid(picture));
        save_picture_file(path, multicolor_grid(picture));
    }
};

PictureFile& file() {
    static PictureFile instance;
    return instance;
}

void BM_Open(benchmark::State& state) {
    std::vector<std::uint8_t> picture(kPictureBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(load_picture_file(file().path, multicolor_grid(picture)));
}

void BM_ReadOnce(benchmark::State& state) {
    std::vector<char> buffer(file().bytes.size());
    const QByteArray name = file().path.toLocal8Bit();
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_RDONLY);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
}

void BM_Save(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(save_picture_file(file().path, multicolor_grid(file().picture)));
}

void BM_WriteOnce(benchmark::State& state) {
    const QByteArray name = (file().path + ".plain").toLocal8Bit();
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, file().bytes.data(), file().bytes.size()));
        ::close(fd);
    }
}

} // namespace

VEXLOR_BENCH(BM_Open, "Open 32000 bytes");
VEXLOR_BENCH(BM_ReadOnce, "Open 32000 bytes/baseline");
VEXLOR_BENCH(BM_Save, "Save 32000 bytes");
VEXLOR_BENCH(BM_WriteOnce, "Save 32000 bytes/baseline");
