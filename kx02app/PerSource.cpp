#include "kx02app/PerSource.h"

#include <algorithm>

namespace kx::sim {

namespace {
// Longer than any burst can last; keeps the arithmetic below far from overflow.
constexpr std::int64_t kLongestBurstMs = std::int64_t{1} << 32;

// Of the first `sent` frames, how many were lost.
std::int64_t lostAmong(std::int64_t sent, const PerSource::Setup& s) {
    return s.frames > 0 ? sent * s.lost / s.frames : 0;
}
} // namespace

void PerSource::start(std::int64_t now) {
    if (!m_setup)
        return;
    m_startsAt = now + m_setup->startAfterMs;
    m_sent = 0;
}

PerSource::Arrivals PerSource::take(std::int64_t now) {
    if (!m_setup || !m_startsAt || now < *m_startsAt)
        return {};
    const Setup& s = *m_setup;
    // Frame k leaves at k / rate seconds after the start of the burst.
    const std::int64_t elapsed = std::min(now - *m_startsAt, kLongestBurstMs);
    const std::int64_t due =
        std::min<std::int64_t>(s.frames, elapsed * s.framesPerSecond / 1000 + 1);
    const std::int64_t damaged = lostAmong(due, s) - lostAmong(m_sent, s);
    const std::int64_t good = due - m_sent - damaged;
    m_sent = due;
    if (m_sent >= s.frames)
        m_startsAt.reset();
    return {static_cast<std::uint64_t>(good), static_cast<std::uint64_t>(damaged)};
}

bool PerSource::heardOn(int receivePort) const {
    return m_setup && (receivePort == 0 || receivePort == m_setup->port);
}

} // namespace kx::sim
