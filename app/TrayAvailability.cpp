#include "app/TrayAvailability.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QSystemTrayIcon>
#include <qpa/qplatformnativeinterface.h>

namespace kx {

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
} // namespace

TrayAvailability::TrayAvailability(QObject* parent) : QObject(parent) {
    auto* watcher = new QDBusServiceWatcher(kWatcherService, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayAvailability::changed,
            Qt::QueuedConnection);

    // The XEmbed tray's manager window is tracked by the X11 platform plugin, which
    // announces a change only through its native interface; other platforms have no
    // such signal.
    QObject* native = QGuiApplication::platformNativeInterface();
    if (!native)
        return;
    const QMetaObject* meta = native->metaObject();
    const int index = meta->indexOfSignal("systemTrayWindowChanged(QScreen*)");
    if (index >= 0)
        connect(native, meta->method(index), this,
                QMetaMethod::fromSignal(&TrayAvailability::changed), Qt::QueuedConnection);
}

bool TrayAvailability::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace kx
