#pragma once
// What identifies one version of a file for the parse caches: device, inode, size
// and both time stamps. The kernel's file times are coarse, so a stamp taken from a
// file that was still being changed around the time we read it is not trusted for
// long; see isSettled().

#include <cstdint>
#include <filesystem>
#include <optional>

namespace kx {

struct FileStamp final {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;

    static std::optional<FileStamp> ofPath(const std::filesystem::path& path);
    static std::optional<FileStamp> ofDescriptor(int fd);
    // Wall-clock nanoseconds, the clock the file times come from (Clock::current()).
    static std::int64_t nowNs();

    // True when the file had last changed well before readStartNs, so any later change
    // is bound to give a different stamp even with a coarse file clock.
    bool isSettled(std::int64_t readStartNs) const;
};

} // namespace kx
