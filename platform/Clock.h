#pragma once
// Where the program reads time: the wall clock that file times are compared with, and a
// monotonic millisecond tick for what a window measures. The system clock is the default;
// tests hand in one they move by hand, so nothing waits for real time to pass.

#include <cstdint>

namespace kx {

class Clock {
public:
    virtual ~Clock() = default;

    // Nanoseconds of the wall clock (the clock file times are stamped with).
    virtual std::int64_t wallNs() const = 0;
    // Milliseconds of a monotonic clock.
    virtual std::int64_t tickMs() const = 0;

    static const Clock& system();

    // The clock of this process's platform code (the file-stamp caches read it): the
    // system clock until another is installed. An installed clock must outlive its
    // installation; nullptr puts the system clock back.
    static const Clock& current();
    static void install(const Clock* clock);
};

} // namespace kx
