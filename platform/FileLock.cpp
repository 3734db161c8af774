#include "platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kx {

FileLock::FileLock(const std::filesystem::path& lockFile) {
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file we may not write still serves as a lock: flock needs no write access.
    if (fd < 0)
        fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
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

} // namespace kx
