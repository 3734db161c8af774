// The status tick, in station and access-point mode, as the program runs it all day
// (the window hidden: only the station monitor works) and with the main window shown.
// The adapter is joined, so every row, the BSSID, the signal and the counters are read,
// and a second of the simulated clock passes before every tick, so the counters move as
// they would on a live link.

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include "app/CTrayIcon.h"
#include "bench/BenchContext.h"
#include "bench/DriverClock.h"
#include "bench/DriverShare.h"
#include "kx02app/kxsim.h"
#include "mainwnd/StationMonitor.h"
#include "mainwnd/WindowlessHost.h"
#include "mainwnd/ui/CMainDlg.h"

namespace kx::bench {

namespace {

// The instance key of the built-in world's station, and the access-point adapter's line.
constexpr const char* kStation = "0007";
constexpr int kAccessPointLine = 2;

void joinNetwork() {
    kxsim_set_int(kStation, "port_status", 4);
    kxsim_set_int(kStation, "network_type", 1);
    kxsim_set_int(kStation, "cqsl_quality_sum", 270);
    kxsim_set_int(kStation, "cqsl_signal", 80);
    kxsim_set_int(kStation, "cqsl_packets", 3);
}

// The second between two ticks: the simulated adapters move their counters (counted as
// the driver's time, as a real tick's first driver call would do it).
void nextSecond() {
    const DriverClock::Span span;
    kxsim_advance(1000);
}

void monitorTicks(benchmark::State& state, int line) {
    BenchContext b;
    joinNetwork();
    WindowlessHost window;
    StationMonitor monitor(b.ctx, window);
    monitor.initialise();
    if (line != 0)
        monitor.selectAdapter(line);
    monitor.tick();
    DriverShare share(b.env.path());
    for (auto _ : state) {
        nextSecond();
        monitor.tick();
    }
    share.report(state);
}

void BM_StationTick(benchmark::State& state) {
    monitorTicks(state, 0);
}
BENCHMARK(BM_StationTick);

void BM_AccessPointTick(benchmark::State& state) {
    monitorTicks(state, kAccessPointLine);
}
BENCHMARK(BM_AccessPointTick);

// The window's tick with the window open, its repaint included.
void BM_StationTickShown(benchmark::State& state) {
    BenchContext b;
    joinNetwork();
    CMainDlg window(b.ctx);
    window.initialise();
    window.onTrayCommand(CTrayIcon::OpenCommand);
    QCoreApplication::processEvents();
    DriverShare share(b.env.path());
    for (auto _ : state) {
        nextSecond();
        window.statusTick();
        QCoreApplication::processEvents();
    }
    share.report(state);
}
BENCHMARK(BM_StationTickShown);

} // namespace

} // namespace kx::bench
