#include "platform/FileStamp.h"

#include "platform/Clock.h"

#include <sys/stat.h>

namespace kx {

namespace {
// Far above any file system's time granularity.
constexpr std::int64_t kSettleMarginNs = 1'000'000'000;

std::int64_t toNs(const timespec& ts) {
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

FileStamp fromStat(const struct stat& st) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.mtimeNs = toNs(st.st_mtim);
    stamp.ctimeNs = toNs(st.st_ctim);
    return stamp;
}
} // namespace

std::optional<FileStamp> FileStamp::ofPath(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return fromStat(st);
}

std::optional<FileStamp> FileStamp::ofDescriptor(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return fromStat(st);
}

std::int64_t FileStamp::nowNs() {
    return Clock::current().wallNs();
}

bool FileStamp::isSettled(std::int64_t readStartNs) const {
    return mtimeNs + kSettleMarginNs < readStartNs && ctimeNs + kSettleMarginNs < readStartNs;
}

} // namespace kx
