#pragma once
// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime.
// Every process that changes a hive takes it around its read-modify-write.

#include <filesystem>

namespace kx {

class FileLock final {
public:
    // Creates the lock file when missing and blocks until the lock is held.
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace kx
