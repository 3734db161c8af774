#include "tests/support/FileWrites.h"

#include <QDirIterator>

#include <array>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace kx::test {

namespace {

constexpr std::uint32_t kChanges =
    IN_CREATE | IN_MODIFY | IN_ATTRIB | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// The system drops what does not fit in its queue: at least that many, then.
constexpr std::uint64_t kOverflow = 16384;

} // namespace

FileWrites::FileWrites(const QString& directory) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    ::inotify_add_watch(m_fd, directory.toLocal8Bit().constData(), kChanges);
    QDirIterator dirs(directory, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                      QDirIterator::Subdirectories);
    while (dirs.hasNext())
        ::inotify_add_watch(m_fd, dirs.next().toLocal8Bit().constData(), kChanges);
}

FileWrites::~FileWrites() {
    ::close(m_fd);
}

std::uint64_t FileWrites::count() {
    alignas(inotify_event) std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer.data(), buffer.size());
        if (n <= 0)
            return m_fd < 0 ? kOverflow : m_count;
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            m_count += (event.mask & IN_Q_OVERFLOW) != 0 ? kOverflow : (event.mask & kChanges) != 0;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

} // namespace kx::test
