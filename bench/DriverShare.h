#pragma once

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kx::bench {

// Splits the CPU time of a benchmark's loop into the driver's share and the program's
// own: made right before the loop, report() after it adds the counters "driver_us" and
// "own_us" per iteration, and "own_allocs", the heap blocks the program allocated per
// iteration outside the driver.
class DriverShare final {
public:
    DriverShare();
    void report(benchmark::State& state) const;

private:
    std::int64_t m_cpuStartNs;
    std::uint64_t m_startAllocations;
};

} // namespace kx::bench
