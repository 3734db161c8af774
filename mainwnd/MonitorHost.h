#pragma once
// What the station monitor needs from the window it runs in: hiding it, the tray icon,
// the status timer, and the person when joining a network with WEP.

#include <QString>

namespace kx {

class MonitorHost {
public:
    virtual ~MonitorHost() = default;

    virtual void hideWindow() = 0;
    // The icon goes while no adapter is found and comes back with one.
    virtual void removeTrayIcon() = 0;
    virtual void restoreTrayIcon() = 0;
    virtual void stopStatusTimer() = 0;
    virtual void startStatusTimer() = 0;
    // Joining a WEP network: true keeps the recorded keys.
    virtual bool keepWepKeys(const QString& title, const QString& question) = 0;
    // Runs the WEP key dialog before the join goes on.
    virtual void editWepKeys() = 0;
};

} // namespace kx
