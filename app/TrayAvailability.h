#pragma once
// Tells when a notification area comes or goes while the program runs: a panel that
// starts after the program at login, restarts, or is closed. Qt shows the icon through
// a StatusNotifierItem watcher on the session bus where one exists and through an
// XEmbed tray on X11 otherwise; both are followed here, so nothing else in the program
// needs to know which protocol carries the icon.

#include <QObject>

namespace kx {

class TrayAvailability final : public QObject {
    Q_OBJECT
public:
    explicit TrayAvailability(QObject* parent = nullptr);

    // Whether an icon shown now reaches a notification area.
    static bool available();

signals:
    // Queued, so the platform has taken note of the new area by the time it arrives.
    void changed();
};

} // namespace kx
