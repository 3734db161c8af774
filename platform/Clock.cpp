#include "platform/Clock.h"

#include <atomic>
#include <time.h>

namespace kx {

namespace {

std::int64_t readNs(clockid_t id) {
    timespec ts{};
    ::clock_gettime(id, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

class SystemClock final : public Clock {
public:
    std::int64_t wallNs() const override { return readNs(CLOCK_REALTIME); }
    std::int64_t tickMs() const override { return readNs(CLOCK_MONOTONIC) / 1'000'000; }
};

// Readers on other threads (the caches are shared) see a whole pointer.
std::atomic<const Clock*> g_installed{nullptr};

} // namespace

const Clock& Clock::system() {
    static const SystemClock clock;
    return clock;
}

const Clock& Clock::current() {
    const Clock* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : system();
}

void Clock::install(const Clock* clock) {
    g_installed.store(clock, std::memory_order_release);
}

} // namespace kx
