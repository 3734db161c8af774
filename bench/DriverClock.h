#pragma once
// The time spent, and the heap blocks allocated, inside the driver library, so that a
// benchmark can tell the program's own share of a tick. The benchmark executable stands
// in front of the driver calls a tick makes (DriverClock.cpp) and forwards each to the
// library, adding up the CPU time it took and what it allocated.

#include <cstdint>

namespace kx::bench {

class DriverClock final {
public:
    static void reset();
    // Nanoseconds inside the driver since the last reset.
    static std::int64_t elapsedNs();
    // Heap blocks the driver allocated since the last reset.
    static std::uint64_t allocations();

    // Counts its own lifetime as the driver's (a call, or the simulation moving on).
    class Span final {
    public:
        Span();
        ~Span();
        Span(const Span&) = delete;
        Span& operator=(const Span&) = delete;

    private:
        std::int64_t m_startNs;
        std::uint64_t m_startAllocations;
    };
};

} // namespace kx::bench
