#include "program/SingleInstance.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileLock.h"
#include "platform/Registry.h"

namespace kx {

namespace {

// $XDG_RUNTIME_DIR when it is what the base-directory rules promise: an absolute path to
// a directory of ours that nobody else may enter. Otherwise the registry directory.
QString lockDirectory() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime.startsWith('/') && ::lstat(runtime.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::geteuid() && (st.st_mode & 077) == 0)
        return QFile::decodeName(runtime);
    Registry::makeDirectory();
    return QString::fromStdString(Registry::directory().string());
}

std::unique_ptr<FileLock> claim(const QString& title) {
    const QByteArray path = QFile::encodeName(SingleInstance::lockPath(title));
    return std::make_unique<FileLock>(path.toStdString(), std::chrono::milliseconds(0),
                                      FileLock::Owner::OnlyMe);
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath(const QString& title) {
    // The registry directory stands for the user's profile, so copies started with
    // another registry (tests, a second profile) are separate users.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::fromStdString(Registry::directory().string()));
    hash.addData(QByteArrayView("\n"));
    hash.addData(title.toUtf8());
    return lockDirectory() + QStringLiteral("/kxconfig-%1.lock")
                                 .arg(QString::fromLatin1(hash.result().toHex().left(24)));
}

bool SingleInstance::isRunning(const QString& title) {
    return claim(title)->error() == EWOULDBLOCK;
}

bool SingleInstance::announce(const QString& title) {
    if (m_lock && m_lock->isHeld() && title == m_title)
        return true;
    std::unique_ptr<FileLock> lock = claim(title);
    if (lock->error() == EWOULDBLOCK)
        return false;
    m_problem = lock->isHeld() ? QString()
                               : lockPath(title) + QStringLiteral(": ") +
                                     QString::fromStdString(lock->reason());
    m_lock = std::move(lock);
    m_title = title;
    return true;
}

} // namespace kx
