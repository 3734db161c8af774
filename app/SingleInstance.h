#pragma once
// "A top-level window with this title exists", across processes of one user: the running
// program holds an exclusive lock on a file whose name is derived from the title, the
// user and the user's registry. A second start finds the lock taken. The kernel drops
// the lock when a copy ends, however it ends, so nothing stale is ever left to clean.

#include <QObject>
#include <QString>

namespace kx {

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
    // same title at once, exactly one succeeds.
    bool announce(const QString& title);
    QString announcedTitle() const { return m_title; }

private:
    int m_fd = -1;
    QString m_title;
};

} // namespace kx
