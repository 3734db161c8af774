#pragma once
// Waiting for a lock of the shared world that another process holds. The wait is
// bounded, and a signal the program handles ends it at once (the pauses between tries
// are sleeps, which the system never resumes after a handler), so a program told to end
// is not kept by a lock another one holds, and one stuck holder does not stop the rest.

#include <chrono>
#include <functional>

namespace kx::sim {

class LockWait final {
public:
    enum class Result { Taken, TimedOut, Interrupted, Failed };

    // Tries `attempt` until it answers 0 (taken) or an error other than EWOULDBLOCK
    // (Failed, with errno set to it), at most for `bound`.
    static Result until(const std::function<int()>& attempt, std::chrono::milliseconds bound);
};

} // namespace kx::sim
