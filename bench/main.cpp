// The program's benchmarks (Google Benchmark), run by scripts/bench. Windows are made on
// Qt's offscreen platform; each benchmark works in its own temporary registry, over the
// simulated adapters without a trace.

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns at every window it cannot raise.
    qputenv("QT_LOGGING_RULES", "default.warning=false");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
