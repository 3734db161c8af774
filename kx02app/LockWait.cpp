#include "kx02app/LockWait.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace kx::sim {

namespace {

// The world's locks are held for the length of one driver call: short first pauses, so
// that a wait ends soon after the holder lets go.
constexpr std::chrono::microseconds kFirstPause(100);
constexpr std::chrono::microseconds kLongestPause(5000);

} // namespace

LockWait::Result LockWait::until(const std::function<int()>& attempt,
                                 std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    std::chrono::microseconds pause = kFirstPause;
    for (;;) {
        const int error = attempt();
        if (error == 0)
            return Result::Taken;
        if (error != EWOULDBLOCK) {
            errno = error;
            return Result::Failed;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return Result::TimedOut;
        const timespec sleep{0, static_cast<long>(pause.count()) * 1000};
        if (::nanosleep(&sleep, nullptr) != 0 && errno == EINTR)
            return Result::Interrupted;
        pause = std::min(pause * 2, kLongestPause);
    }
}

} // namespace kx::sim
