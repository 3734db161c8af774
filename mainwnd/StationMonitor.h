#pragma once
// The main window's behaviour without the window: the status tick in station and
// access-point mode, the site survey and its countdown, the selected network's view and
// its countdown, the connecting dots, the averaged signal, who controls the adapter
// (the program or the system's zero-configuration service), joining a surveyed network
// and the switch between station and access point. It keeps the window's content in a
// MainView; the window draws that and hands user actions here. Every countdown counts
// ticks, not time.

#include "adapter/AdapterList.h"
#include "adapter/AdapterSelector.h"
#include "driver/kx02app.h"
#include "mainwnd/ConnectingDots.h"
#include "mainwnd/MainView.h"
#include "mainwnd/SignalHistory.h"
#include "program/LangText.h"
#include "store/SettingResult.h"

namespace kx {

struct AppContext;
class MonitorHost;

class StationMonitor final : private AdapterHost {
public:
    static constexpr int kScanTicks = 4;
    static constexpr int kSelectedViewTicks = 8;
    static constexpr int kStationListTicks = 5;

    enum class ZeroConfig { Unknown, Program, SystemService };
    // The tray program owns the adapter: it takes it over from the system's
    // zero-configuration service and hands it back at its end. An observer (the command
    // line, which runs beside the tray program) only looks and leaves that to the owner.
    enum class Role { Owner, Observer };

    struct State {
        bool adapterOpen = false;
        bool scanning = false;
        int scanCountdown = 0;
        bool selectedView = false;
        int selectedViewCountdown = 0;
        int nextIconFrame = 0;
        ZeroConfig zeroConfig = ZeroConfig::Unknown;
        int stationListTicks = 0;
        bool lastScanFailed = false; // the driver gave no survey; the list kept its rows
    };

    StationMonitor(AppContext& context, MonitorHost& host, Role role = Role::Owner);
    // An owner hands wireless configuration back to the system service.
    ~StationMonitor() override;
    StationMonitor(const StationMonitor&) = delete;
    StationMonitor& operator=(const StationMonitor&) = delete;

    // Everything back to the start, the adapters found (the first is selected) and the
    // layout applied.
    void initialise();
    // One tick of the status timer.
    void tick();

    // User actions.
    void selectAdapter(int line);
    // Access point: the stations now; station: a site scan, unless one runs.
    void pressListButton();
    // A survey row clicked: its details for a while. Nothing for a station row.
    void showSelectedNetwork(int row);
    // Joins the surveyed network of `row`; nothing without a row, in access-point mode
    // or while the system service controls the adapter.
    [[nodiscard]] SettingResult join(int row);
    // Station <-> access point; the adapter is told its new network type.
    [[nodiscard]] SettingResult switchMode();

    // Every text again in the current language and mode.
    void applyLayout() override;
    // The access point's channel, SSID, WEP and power rows.
    void showAccessPointSettings() override;

    bool accessPointMode() const;
    bool systemControlsAdapter() const { return m_state.zeroConfig == ZeroConfig::SystemService; }
    const State& state() const { return m_state; }
    const MainView& view() const { return m_view; }
    // The records of the last site survey; row i of the site list is record i.
    const WLSurveyBuffer& survey() const { return m_survey; }

private:
    enum InfoLayout { CurrentNetworkLayout = 0, SelectedNetworkLayout = 1, AccessPointLayout = 2 };
    enum ListMode { SiteList, StationList };

    // AdapterHost: selection reports here.
    void clearAdapterLines() override;
    void addAdapterLine(const QString& description) override;
    void setCurrentAdapterLine(int index) override;
    int currentAdapterLine() const override;
    void adapterOpened() override;
    void recheckZeroConfiguration() override;
    void resetStationListTicks() override;
    void endSiteScan() override;

    QString text(const LangText& t) const;
    WLAdapterInfo* adapter() const;

    void restartAfterDiscovery();
    void advanceStatusIcon();
    void stationTick();
    void accessPointTick();
    void checkZeroConfiguration();
    void applyZeroConfigView();

    void showInformationGroup(InfoLayout layout);
    void setListMode(ListMode mode);
    void setBottomArea(bool station);
    void setListState(bool enabled);
    void showCurrentStatusValue();
    void showLinkStatusInfo();
    void showSsidRow(bool connected);
    void showSignal(int qualitySum, int signal, int packets);
    void showFrameCounts(bool connected);

    void startScan();
    void fetchScanResults();
    void endScan();
    void fillList();
    void refreshStationList();
    int surveyRow(int row) const;
    void clearRows();

    AppContext& m_ctx;
    MonitorHost& m_host;
    Role m_role;
    State m_state;
    MainView m_view;
    ConnectingDots m_dots;
    SignalHistory m_history;
    WLSurveyBuffer m_survey{};
    AdapterList m_adapters;
    AdapterSelector m_selector;
};

} // namespace kx
