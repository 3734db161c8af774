#pragma once
// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime.
// Every process that changes a hive takes it around its read-modify-write; a running
// program holds one to announce itself.
//
// The lock file is created 0600 and opened without following a symbolic link; one of
// ours that others could read is tightened to 0600.

#include <chrono>
#include <filesystem>
#include <string>

namespace kx {

class FileLock final {
public:
    enum class Owner { Anyone, OnlyMe };

    // Waits at most `wait` for a lock that another holder has (zero: one try; kForever:
    // until it is free, in the kernel's order of waiters). With Owner::OnlyMe a lock
    // file that belongs to another user is refused.
    static constexpr std::chrono::milliseconds kForever = std::chrono::milliseconds::max();
    FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait,
             Owner owner = Owner::Anyone);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return m_fd >= 0; }
    // Why it is not held: an errno value. EWOULDBLOCK: another holder kept it for the
    // whole wait; ELOOP: the name is a symbolic link; EPERM: the file belongs to
    // another user (Owner::OnlyMe); EINVAL: the name is no regular file.
    int error() const { return m_error; }
    // The same as a text for people.
    std::string reason() const;

private:
    int m_fd = -1;
    int m_error = 0;
};

} // namespace kx
