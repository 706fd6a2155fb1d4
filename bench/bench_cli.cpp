#include "bench/bench_support.h"
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

// The whole converter, as a build script runs it: start the process with no display, read a
// 320 x 200 PNG, convert it, write the Koala file, exit.
void BM_ConvertProcess(benchmark::State& state) {
    const QString in = QStringLiteral(VEXLOR_SAMPLE_IMAGES "/wizard-320x200.png");
    const QString out = QDir::temp().filePath("vexlor-bench-cli.kla");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(VEXLOR_PROGRAM, {"--convert", in, out});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the converter failed (no sample images without ImageMagick)");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_ConvertProcess)
    ->Name("Convert 320x200 PNG to Koala, whole process")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
