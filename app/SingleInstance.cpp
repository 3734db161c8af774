#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

#include "platform/Registry.h"

namespace kx {

namespace {
constexpr int kConnectTimeoutMs = 1000;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketName(const QString& title) {
    // The registry directory stands for the user's profile, so copies started with
    // another registry (tests, a second profile) are separate users.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::fromStdString(Registry::directory().string()));
    hash.addData(QByteArrayView("\n"));
    hash.addData(title.toUtf8());
    return QStringLiteral("kxconfig-%1-%2")
        .arg(getuid())
        .arg(QString::fromLatin1(hash.result().toHex().left(24)));
}

bool SingleInstance::isRunning(const QString& title) {
    QLocalSocket socket;
    socket.connectToServer(socketName(title));
    return socket.waitForConnected(kConnectTimeoutMs);
}

bool SingleInstance::announce(const QString& title) {
    if (m_server && title == m_title)
        return true;
    m_server.reset();
    m_title = title;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = socketName(title);
    if (!server->listen(name)) {
        // A socket left behind by a copy that died; a live copy would have answered.
        if (isRunning(title))
            return false;
        QLocalServer::removeServer(name);
        if (!server->listen(name))
            return false;
    }
    // Visitors only test for our presence; let them go at once.
    connect(server.get(), &QLocalServer::newConnection, server.get(), [s = server.get()] {
        while (QLocalSocket* socket = s->nextPendingConnection())
            socket->disconnectFromServer();
    });
    m_server = std::move(server);
    return true;
}

} // namespace kx
