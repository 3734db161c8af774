#pragma once
// Counts the changes the system reports to the files under a directory (created,
// written, truncated, renamed, removed, their modes changed) from construction on, the
// subdirectories that exist then included. Stores into a shared memory mapping of a
// file are no such change: the system writes those pages back at its own pace.

#include <QString>

#include <cstdint>

namespace kx::test {

class FileWrites final {
public:
    explicit FileWrites(const QString& directory);
    ~FileWrites();
    FileWrites(const FileWrites&) = delete;
    FileWrites& operator=(const FileWrites&) = delete;

    // Changes so far.
    std::uint64_t count();

private:
    int m_fd;
    std::uint64_t m_count = 0;
};

} // namespace kx::test
