#pragma once

#include <QString>

#include <cstdint>

#include <benchmark/benchmark.h>

#include "tests/support/FileWrites.h"

namespace kx::bench {

// Splits the CPU time of a benchmark's loop into the driver's share and the program's
// own: made right before the loop, report() after it adds the counters "driver_us" and
// "own_us" per iteration, "own_allocs", the heap blocks the program allocated per
// iteration outside the driver, and "fs_writes", the changes to the files under
// `files` (the registry and the driver's state) per iteration.
class DriverShare final {
public:
    explicit DriverShare(const QString& files);
    void report(benchmark::State& state);

private:
    test::FileWrites m_writes;
    std::int64_t m_cpuStartNs;
    std::uint64_t m_startAllocations;
};

} // namespace kx::bench
