#pragma once
// A clock the test moves: time passes only when advance() is called.

#include <cstdint>

#include "platform/Clock.h"

namespace kx::test {

class ManualClock final : public Clock {
public:
    std::int64_t wallNs() const override { return m_wallNs; }
    std::int64_t tickMs() const override { return m_tickMs; }

    void advanceMs(std::int64_t ms) {
        m_tickMs += ms;
        m_wallNs += ms * 1'000'000;
    }
    void setWallNs(std::int64_t ns) { m_wallNs = ns; }

private:
    std::int64_t m_wallNs = Clock::system().wallNs();
    std::int64_t m_tickMs = 0;
};

// Makes a clock the process's clock (Clock::current()) for its own lifetime.
class InstalledClock final {
public:
    explicit InstalledClock(const Clock& clock) { Clock::install(&clock); }
    ~InstalledClock() { Clock::install(nullptr); }
    InstalledClock(const InstalledClock&) = delete;
    InstalledClock& operator=(const InstalledClock&) = delete;
};

} // namespace kx::test
