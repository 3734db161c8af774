#pragma once
// The simulated clock in milliseconds. It follows the monotonic clock unless tests
// switch it to manual, where only advance() moves it; switching keeps it continuous.

#include <chrono>
#include <cstdint>

namespace kx::sim {

class SimClock final {
public:
    SimClock();

    std::int64_t now() const;
    void setManual(bool manual);
    bool isManual() const { return m_manual; }
    void advance(std::int64_t milliseconds);

    // The monotonic clock is the machine's, so processes sharing a world share its time.
    template <typename Archive> void share(Archive& a) { a(m_start, m_manual, m_offset); }

private:
    std::int64_t realElapsed() const;

    std::chrono::steady_clock::time_point m_start;
    bool m_manual = false;
    std::int64_t m_offset = 0; // added to the real elapsed time (auto) or the time itself (manual)
};

} // namespace kx::sim
