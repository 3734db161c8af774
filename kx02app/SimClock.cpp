#include "kx02app/SimClock.h"

namespace kx::sim {

SimClock::SimClock() : m_start(std::chrono::steady_clock::now()) {}

std::int64_t SimClock::realElapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_start)
        .count();
}

std::int64_t SimClock::now() const {
    return m_manual ? m_offset : realElapsed() + m_offset;
}

void SimClock::setManual(bool manual) {
    if (manual == m_manual)
        return;
    const std::int64_t current = now();
    m_manual = manual;
    m_offset = manual ? current : current - realElapsed();
}

void SimClock::advance(std::int64_t milliseconds) {
    if (milliseconds > 0)
        m_offset += milliseconds;
}

} // namespace kx::sim
