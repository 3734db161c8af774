#include "bench/DriverShare.h"

#include <ctime>

#include "bench/Allocations.h"
#include "bench/DriverClock.h"

namespace kx::bench {

namespace {

std::int64_t processCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

benchmark::Counter perIterationUs(std::int64_t ns) {
    return benchmark::Counter(static_cast<double>(ns) / 1000.0, benchmark::Counter::kAvgIterations);
}

} // namespace

DriverShare::DriverShare(const QString& files)
    : m_writes(files), m_cpuStartNs(processCpuNs()), m_startAllocations(Allocations::total()) {
    DriverClock::reset();
}

void DriverShare::report(benchmark::State& state) {
    const std::int64_t cpuNs = processCpuNs() - m_cpuStartNs;
    const std::int64_t driverNs = DriverClock::elapsedNs();
    state.counters["driver_us"] = perIterationUs(driverNs);
    state.counters["own_us"] = perIterationUs(cpuNs - driverNs);
    const std::uint64_t allocations =
        Allocations::total() - m_startAllocations - DriverClock::allocations();
    state.counters["own_allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["fs_writes"] = benchmark::Counter(static_cast<double>(m_writes.count()),
                                                     benchmark::Counter::kAvgIterations);
}

} // namespace kx::bench
