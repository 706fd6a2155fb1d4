#include "bench/bench_support.h"
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

// The whole converter, as a build script runs it: start the process with no display, read a
// 320 x 200 PNG, convert it with `options`, write the Koala file (in FLI the FLI Graph file),
// exit.
void BM_ConvertProcess(benchmark::State& state, QStringList options) {
    const QString in = QStringLiteral(VEXLOR_SAMPLE_IMAGES "/wizard-320x200.png");
    const QString out = QDir::temp().filePath(options.contains("fli") ? "vexlor-bench-cli.bml"
                                                                      : "vexlor-bench-cli.kla");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(VEXLOR_PROGRAM, QStringList{"--convert", in, out} + options);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the converter failed (no sample images without ImageMagick)");
            return;
        }
    }
}

// Every mode and dither; the aim is at most 150 ms each.
const bool kRegistered = [] {
    for (const char* mode : {"multicolour", "fli"})
        for (const char* dither : {"none", "ordered", "floyd-steinberg"}) {
            const QStringList options{"--mode", mode, "--dither", dither};
            benchmark::RegisterBenchmark(
                QString("Convert 320x200 PNG, whole process/%1/%2")
                    .arg(mode, dither)
                    .toStdString()
                    .c_str(),
                [options](benchmark::State& state) { BM_ConvertProcess(state, options); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    return true;
}();

} // namespace
