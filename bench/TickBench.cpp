// The status tick, in station and access-point mode, as the program runs it all day
// (the window hidden: only the station monitor works) and with the main window shown.
// The adapter is joined, so every row, the BSSID, the signal and the counters are read,
// and the counters move at every tick as they would on a live link.

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include "app/CTrayIcon.h"
#include "bench/BenchContext.h"
#include "bench/DriverClock.h"
#include "bench/DriverShare.h"
#include "kx02app/kxsim.h"
#include "mainwnd/ui/CMainDlg.h"
#include "mainwnd/StationMonitor.h"
#include "mainwnd/WindowlessHost.h"

namespace kx::bench {

namespace {

// The instance keys of the built-in world's station and access-point adapters.
constexpr const char* kStation = "0007";
constexpr const char* kAccessPoint = "0009";
constexpr int kAccessPointLine = 2;

void joinNetwork() {
    kxsim_set_int(kStation, "port_status", 4);
    kxsim_set_int(kStation, "network_type", 1);
    kxsim_set_int(kStation, "cqsl_quality_sum", 270);
    kxsim_set_int(kStation, "cqsl_signal", 80);
    kxsim_set_int(kStation, "cqsl_packets", 3);
}

// A second of traffic on the link, counted as the driver's time.
void moveCounters(const char* adapter, std::int64_t tick) {
    const DriverClock::Span span;
    kxsim_set_int(adapter, "tx_frames", 1000 + 7 * tick);
    kxsim_set_int(adapter, "rx_frames", 5000 + 11 * tick);
}

void monitorTicks(benchmark::State& state, const char* adapter, int line) {
    BenchContext b;
    joinNetwork();
    WindowlessHost window;
    StationMonitor monitor(b.ctx, window);
    monitor.initialise();
    if (line != 0)
        monitor.selectAdapter(line);
    monitor.tick();
    std::int64_t tick = 0;
    const DriverShare share;
    for (auto _ : state) {
        moveCounters(adapter, ++tick);
        monitor.tick();
    }
    share.report(state);
}

void BM_StationTick(benchmark::State& state) {
    monitorTicks(state, kStation, 0);
}
BENCHMARK(BM_StationTick);

void BM_AccessPointTick(benchmark::State& state) {
    monitorTicks(state, kAccessPoint, kAccessPointLine);
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
    std::int64_t tick = 0;
    const DriverShare share;
    for (auto _ : state) {
        moveCounters(kStation, ++tick);
        window.statusTick();
        QCoreApplication::processEvents();
    }
    share.report(state);
}
BENCHMARK(BM_StationTickShown);

} // namespace

} // namespace kx::bench
