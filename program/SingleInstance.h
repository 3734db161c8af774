#pragma once
// "A top-level window with this title exists", across processes of one user: the running
// program holds an exclusive lock on a file whose name is derived from the title and the
// user's registry. A second start finds the lock taken. The kernel drops the lock when a
// copy ends, however it ends, so nothing stale is ever held.
//
// The lock files live where only the user may write: $XDG_RUNTIME_DIR when it is a
// private directory of the user, else the registry directory. A lock file that is a
// symbolic link or belongs to another user is refused, so nobody else can make a start
// end silently or let two copies run.

#include <memory>

#include <QObject>
#include <QString>

namespace kx {

class FileLock;

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Whether a running copy announces `title`.
    static bool isRunning(const QString& title);
    static QString lockPath(const QString& title);

    // Announce `title` from now on, replacing the previous one. False (and the previous
    // announcement kept) only when another copy announces it: of two copies claiming the
    // same title at once, exactly one succeeds. A lock file that cannot be used leaves
    // the program running unannounced, with problem() saying why.
    bool announce(const QString& title);
    QString announcedTitle() const { return m_title; }
    // Why the last announcement could not be made (the lock file and the reason), or
    // empty.
    QString problem() const { return m_problem; }

private:
    std::unique_ptr<FileLock> m_lock;
    QString m_title;
    QString m_problem;
};

} // namespace kx
