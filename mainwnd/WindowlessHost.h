#pragma once
// A station monitor run without a window (a command, a measurement): nothing to hide, no
// tray icon, no timer, and a WEP join keeps the recorded keys unless told otherwise.

#include "mainwnd/MonitorHost.h"

namespace kx {

class WindowlessHost : public MonitorHost {
public:
    void hideWindow() override {}
    void removeTrayIcon() override {}
    void restoreTrayIcon() override {}
    void stopStatusTimer() override {}
    void startStatusTimer() override {}
    bool keepWepKeys(const QString&, const QString&) override { return true; }
    void editWepKeys() override {}
};

} // namespace kx
