#pragma once
// One command's use of an adapter, as the main window uses it: the station monitor
// behind a window that is never shown, adapter selection, site surveys and joins, and
// waiting for the link. The monitor only observes: the tray program, when it runs,
// owns the adapter (it alone takes it over from the system's configuration service).
// Waiting goes through a pause the caller hands in, so that tests move the time
// themselves and an interrupted command ends at its next pause.

#include <functional>

#include <QString>

#include "driver/DriverCodes.h"
#include "mainwnd/StationMonitor.h"
#include "mainwnd/WindowlessHost.h"
#include "store/AdapterSettings.h"
#include "store/SettingResult.h"

namespace kx {

struct AppContext;

struct ControlHooks {
    // Waits about this many milliseconds; tests move their clocks instead.
    std::function<void(int milliseconds)> pause;
    // True once the user asked the command to end (an interrupt).
    std::function<bool()> stopRequested;
};

class ControlSession final : private WindowlessHost {
public:
    // The window's survey counts status ticks; a command gives them this pace.
    static constexpr int kScanTickMs = 500;
    static constexpr int kLinkPollMs = 250;

    ControlSession(AppContext& context, ControlHooks hooks);

    // Finds the adapters and selects number `number` (1 is the first): false, with
    // `problem` saying why, when there is none such or it does not open.
    bool open(int number, QString& problem);
    // After open(): another of the adapters found.
    bool select(int number, QString& problem);
    int adapterCount() const;
    StationMonitor& monitor() { return m_monitor; }
    const MainView& view() const { return m_monitor.view(); }
    AppContext& context() { return m_ctx; }

    // A site survey as the window runs it; false when the driver failed it or the user
    // interrupted it. The records are the monitor's survey.
    bool scan();
    // Joins survey record `record` as the window's connect does. The keys stand for what
    // a user types into the WEP key dialog when asked; without keys the recorded ones
    // are kept, as when the user answers that question with Yes.
    SettingResult join(int record, const AdapterSettings::TypedKeys& keys, WepBit keyLength,
                       int keyIndex);
    // Status ticks until the link is up or `timeoutMs` passed; whether it is up.
    bool waitForLink(int timeoutMs);
    // Whether the last tick found the adapter joined (any connected link status).
    bool linked() const;

private:
    // The keys typed on the command line stand for the WEP key dialog.
    bool keepWepKeys(const QString& title, const QString& question) override;
    void editWepKeys() override;

    bool pause(int milliseconds);

    AppContext& m_ctx;
    ControlHooks m_hooks;
    StationMonitor m_monitor;
    // The keys of the join under way and what became of them.
    AdapterSettings::TypedKeys m_keys;
    bool m_typedKeys = false;
    WepBit m_keyLength = WepBit::Bits64;
    int m_keyIndex = 0;
    SettingResult m_keysResult;
};

} // namespace kx
