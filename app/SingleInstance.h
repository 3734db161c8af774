#pragma once
// "A top-level window with this title exists", across processes of one user: the running
// main window announces its title on a local socket whose name is derived from the
// title, the user and the user's registry. A second start looks for that socket.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace kx {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Whether a running copy announces `title`.
    static bool isRunning(const QString& title);
    static QString socketName(const QString& title);

    // Announce `title` from now on (replacing the previous one); false when the name
    // could not be taken.
    bool announce(const QString& title);
    QString announcedTitle() const { return m_title; }

private:
    std::unique_ptr<QLocalServer> m_server;
    QString m_title;
};

} // namespace kx
