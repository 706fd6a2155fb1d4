#include "bench/bench_support.h"
#include "recovery/recovery_keeper.h"
#include <QDir>
#include <QTemporaryDir>

namespace {

// One recovery copy written as the keeper writes it: encoded, then replaced atomically, in a
// folder of the home's file system.
void BM_RecoveryWrite(benchmark::State& state) {
    QTemporaryDir folder(QDir::home().filePath(".vexlor-bench-XXXXXX"));
    RecoveryCopy copy;
    for (std::size_t i = 0; i < copy.pixels.size(); ++i) copy.pixels[i] = std::uint8_t(i % 16);
    copy.file = "/home/user/wizard.vxr";
    const QString path = folder.filePath("bench.vxrc");
    for (auto _ : state) benchmark::DoNotOptimize(write_recovery_copy(path, copy));
}

} // namespace

VEXLOR_BENCH(BM_RecoveryWrite, "recovery/write")->Repetitions(5)->ReportAggregatesOnly(true);
