#include "app/startup.h"
#include "bench/bench_support.h"
#include "platform/tapplication.h"
#include <cstdio>
#include <map>
#include <string>

namespace {

// Prints the usual table, then each operation's time against its baseline and naive way.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (const auto put = times_.find("Put char move"); put != times_.end())
            std::printf(
                "\nA Put char drag sustains %.0f events per second (a 1 kHz mouse sends 1000).\n",
                1e6 / put->second);
        if (const auto closest = times_.find("Zoom view 4x3 cells"); closest != times_.end())
            for (const char* level : {"8x6", "16x12", "20x15"})
                if (const auto other = times_.find("Zoom view " + std::string(level) + " cells");
                    other != times_.end())
                    std::printf("\nA zoom view of %s cells takes %.2fx the time of 4x3.", level,
                                other->second / closest->second);
        std::printf("\n%-34s %12s %12s\n", "operation", "x baseline", "naive / it");
        for (const auto& [name, time] : times_) {
            if (name.find('/') != std::string::npos) continue;
            const auto base = times_.find(name + "/baseline");
            const auto naive = times_.find(name + "/naive");
            std::printf("%-34s", name.c_str());
            if (base != times_.end())
                std::printf(" %11.2fx", time / base->second);
            else
                std::printf(" %12s", "-");
            if (naive != times_.end()) std::printf(" %11.1fx", naive->second / time);
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    create_windows();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
