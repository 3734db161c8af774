#pragma once
// One benchmark's world, as the program runs: a fresh registry and fresh simulated
// adapters (as for a test), the shipped configuration and language, the system clock
// (the platform's file caches trust only files that settled before it), and no trace.

#include <cstdint>

#include <benchmark/benchmark.h>

#include "app/AppContext.h"
#include "tests/support/ScriptedSeam.h"
#include "tests/support/TestEnv.h"

namespace kx::bench {

struct BenchContext {
    BenchContext();

    test::TestEnv env;
    test::ScriptedSeam seam;
    AppContext ctx{seam};
};

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
