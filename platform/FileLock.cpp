#include "platform/FileLock.h"

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
constexpr auto kRetryPause = std::chrono::milliseconds(10);

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

int lockWithin(int fd, std::chrono::milliseconds wait) {
    if (wait == FileLock::kForever) {
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR)
                return errno;
        }
        return 0;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)
            return errno;
        std::this_thread::sleep_for(kRetryPause);
    }
}

} // namespace

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait,
                   Owner owner) {
    const int fd = openLockFile(lockFile);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    m_error = checkFile(fd, owner);
    if (m_error == 0)
        m_error = lockWithin(fd, wait);
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
