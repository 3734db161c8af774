#pragma once
// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime.
// Every process that changes a hive takes it around its read-modify-write; a running
// program holds one to announce itself.
//
// The lock file is created 0600 and opened without following a symbolic link; one of
// ours that others could read is tightened to 0600.
//
// Every wait is bounded, and ends at once when the process is asked to end (a signal
// handler calls stopWaiting()), so no lock that another program keeps can hang us.

#include <chrono>
#include <filesystem>
#include <string>

namespace kx {

class FileLock final {
public:
    enum class Owner { Anyone, OnlyMe };
    enum class Mode { Exclusive, Shared };

    // What a writer waits for another holder: writers keep a lock for milliseconds, so
    // one kept this long is stuck, and the writer fails naming the lock file.
    static constexpr std::chrono::milliseconds kWriterWait{10000};

    // Waits at most `wait` for a lock that another holder has (zero: one try). With
    // Owner::OnlyMe a lock file that belongs to another user is refused.
    FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait,
             Owner owner = Owner::Anyone);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return m_fd >= 0; }
    // Why it is not held: an errno value. EWOULDBLOCK: another holder kept it for the
    // whole wait; EINTR: the process was asked to end while another holder kept it;
    // ELOOP: the name is a symbolic link; EPERM: the file belongs to another user
    // (Owner::OnlyMe); EINVAL: the name is no regular file.
    int error() const { return m_error; }
    // The same as a text for people.
    std::string reason() const;

    // The same wait on a descriptor the caller opened: 0, or EWOULDBLOCK, EINTR as above,
    // or the errno value of flock.
    static int lockWithin(int fd, Mode mode, std::chrono::milliseconds wait);
    // From a signal handler that ends the process (async-signal-safe): every wait under
    // way ends with EINTR, and later ones try once, so the ending is not held up.
    static void stopWaiting() noexcept;
    static bool stopRequested() noexcept;
    // Waits are waited out again: a run that watches for such signals begins.
    static void waitAgain() noexcept;

private:
    int m_fd = -1;
    int m_error = 0;
};

} // namespace kx
