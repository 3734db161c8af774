#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Registry.h"

namespace kx {

namespace {

// The descriptor holding the title's lock, or -1 when another copy holds it (or the
// file cannot be opened, which then counts as nobody running).
int claim(const QString& title, bool* taken) {
    const QByteArray path = QFile::encodeName(SingleInstance::lockPath(title));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    *taken = false;
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *taken = errno == EWOULDBLOCK;
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstance::lockPath(const QString& title) {
    // The registry directory stands for the user's profile, so copies started with
    // another registry (tests, a second profile) are separate users.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::fromStdString(Registry::directory().string()));
    hash.addData(QByteArrayView("\n"));
    hash.addData(title.toUtf8());
    return QDir::tempPath() + QStringLiteral("/kxconfig-%1-%2.lock")
                                  .arg(getuid())
                                  .arg(QString::fromLatin1(hash.result().toHex().left(24)));
}

bool SingleInstance::isRunning(const QString& title) {
    bool taken = false;
    const int fd = claim(title, &taken);
    if (fd >= 0)
        ::close(fd); // closing drops the lock again
    return taken;
}

bool SingleInstance::announce(const QString& title) {
    if (m_fd >= 0 && title == m_title)
        return true;
    bool taken = false;
    const int fd = claim(title, &taken);
    if (taken)
        return false;
    // Without a lock file (no usable temporary directory) the program runs unannounced
    // rather than not at all.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_title = title;
    return true;
}

} // namespace kx
