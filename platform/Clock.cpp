#include "platform/Clock.h"

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

} // namespace

const Clock& Clock::system() {
    static const SystemClock clock;
    return clock;
}

} // namespace kx
