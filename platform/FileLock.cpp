#include "platform/FileLock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kx {

namespace {

constexpr mode_t kPrivate = 0600;
// Tries come often at first (a writer is done within milliseconds), then every 10 ms.
constexpr auto kFirstPause = std::chrono::milliseconds(1);
constexpr auto kLongestPause = std::chrono::milliseconds(10);

std::atomic<bool> g_stopWaiting{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

int openLockFile(const std::filesystem::path& lockFile) {
    // O_NONBLOCK: a FIFO planted under the name must not hang the open.
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | kFlags, kPrivate);
    // A lock file we may not write still serves as a lock: flock needs no write access.
    if (fd < 0 && errno == EACCES)
        fd = ::open(lockFile.c_str(), O_RDONLY | kFlags);
    return fd;
}

// 0 when the file may serve as our lock, else the errno value that says why not.
int checkFile(int fd, FileLock::Owner owner) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    if (st.st_uid != ::geteuid())
        return owner == FileLock::Owner::OnlyMe ? EPERM : 0;
    if ((st.st_mode & 077) != 0)
        ::fchmod(fd, kPrivate);
    return 0;
}

} // namespace

int FileLock::lockWithin(int fd, Mode mode, std::chrono::milliseconds wait) {
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::duration_cast<std::chrono::steady_clock::duration>(kFirstPause);
    for (;;) {
        if (::flock(fd, operation) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        if (stopRequested())
            return EINTR;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(std::min(pause, deadline - now));
        pause = std::min<std::chrono::steady_clock::duration>(pause * 2, kLongestPause);
    }
}

void FileLock::stopWaiting() noexcept {
    g_stopWaiting.store(true, std::memory_order_relaxed);
}

void FileLock::waitAgain() noexcept {
    g_stopWaiting.store(false, std::memory_order_relaxed);
}

bool FileLock::stopRequested() noexcept {
    return g_stopWaiting.load(std::memory_order_relaxed);
}

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait,
                   Owner owner) {
    const int fd = openLockFile(lockFile);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    m_error = checkFile(fd, owner);
    if (m_error == 0)
        m_error = lockWithin(fd, Mode::Exclusive, wait);
    if (m_error != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

FileLock::~FileLock() {
    // Closing the descriptor releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string FileLock::reason() const {
    switch (m_error) {
    case 0:
        return {};
    case EWOULDBLOCK:
        return "held by another program";
    case EINTR:
        return "held by another program when the wait was interrupted";
    case ELOOP:
        return "is a symbolic link";
    case EPERM:
        return "belongs to another user";
    case EINVAL:
        return "is not a regular file";
    default:
        return std::strerror(m_error);
    }
}

} // namespace kx
