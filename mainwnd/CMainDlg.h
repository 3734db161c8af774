#pragma once
// The program's one top-level window. It stays hidden until the tray's open command,
// polls the open adapter on its timer, lists the networks in range and joins one, or,
// with access-point firmware, shows the access point and its stations. It hides
// instead of closing; only the tray's exit command ends its run.

#include <array>
#include <optional>

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include "adapter/AdapterList.h"
#include "adapter/AdapterSelector.h"
#include "adapter/kx02app.h"
#include "app/CTrayIcon.h"
#include "app/LangText.h"
#include "mainwnd/ConnectingDots.h"
#include "mainwnd/ProductIcons.h"
#include "mainwnd/SignalHistory.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace kx {

struct AppContext;
class LanguageTable;
struct ProgramConfig;

class CMainDlg final : public QDialog, public AdapterHost {
    Q_OBJECT
public:
    enum InfoLayout { CurrentNetworkLayout = 0, SelectedNetworkLayout = 1, AccessPointLayout = 2 };
    enum ListMode { SiteList = 0, StationList = 1 };
    enum BottomArea { StationArea = 0, AccessPointArea = 1 };

    static constexpr int kScanTicks = 4;
    static constexpr int kSelectedViewTicks = 8;
    static constexpr int kStationListTicks = 5;

    // The window's own state, readable for the program's tests.
    struct State {
        int adapterOpen = 0;
        int noChildDialog = 1;
        int scanning = 0;
        int scanCountdown = 0;
        int selectedView = 0;
        int selectedViewCountdown = 0;
        int iconFrame = 0;
        int zeroConfig = -1; // -1 unknown, 0 ours, 1 the system service's
        int stationListTicks = 0;
    };

    explicit CMainDlg(AppContext& context);
    ~CMainDlg() override;

    // Icon, title, state, bars, adapter discovery, timer; leaves the window hidden.
    void initialise();
    // One tick of the status timer (tests call it directly).
    void statusTick();
    void onTrayCommand(kx::CTrayIcon::Command command);

    // AdapterHost
    void clearAdapterLines() override;
    void addAdapterLine(const QString& description) override;
    void setCurrentAdapterLine(int index) override;
    int currentAdapterLine() const override;
    void adapterOpened() override;
    void recheckZeroConfiguration() override;
    void applyLayout() override;
    void resetStationListTicks() override;
    void endSiteScan() override;
    void showAccessPointSettings() override;

    void showInformationGroup(int layout);
    void setListMode(int mode);
    void setBottomArea(int area);
    void showCurrentStatusValue();
    void showLinkStatusInfo();
    void checkZeroConfiguration();
    void clearSignalHistory() { m_history.clear(); }
    void startStatusTimer();
    void stopStatusTimer();
    bool statusTimerActive() const { return m_timer.isActive(); }

    // Site survey and connecting.
    void startScan();
    void fetchScanResults();
    void fillList();
    void setListState(bool enabled);
    void showSelectedNetwork();
    void connectSelectedNetwork();

    void refreshStationList();

    const State& state() const { return m_state; }
    int startHidden() const { return m_startHidden; }

signals:
    // The exit command was accepted: the program ends.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    // Enter and Escape never end this window.
    void accept() override {}
    void reject() override {}

private:
    struct InfoRow {
        QLabel* label = nullptr;
        QLabel* value = nullptr;
    };

    const LanguageTable& lang() const;
    QString txt(const LangText& t) const;
    const ProgramConfig& config() const;
    WLAdapterInfo* record() const;

    void buildUi();
    QWidget* buildAdapterRow();
    QWidget* buildListColumn();
    QWidget* buildInfoGroup();
    QWidget* buildBottomArea();

    bool accessPointMode() const;
    void stationTick();
    void accessPointTick();
    void restartAfterDiscovery();
    void advanceStatusIcon();
    void showSsidRow(bool connected);
    void showSignal(int qualitySum, int signal, int packets);
    void setSignalRowsVisible(bool visible);
    void showFrameCounts(bool connected);
    void applyZeroConfigVisuals();
    void setFrameRowsVisible(bool visible);
    void endScan();
    int selectedSurveyRow() const;
    std::optional<QString> queryBssid() const;

    void onListButton();
    void onListClicked();
    void onListDoubleClicked();
    void onGroupButton();
    void onModeButton();
    void onAdapterActivated();
    void openWindow();
    void exitProgram();
    // The exit command is refused while a child dialog is up.
    void runModalChild(QDialog& dialog);
    void runAccessPointSettingsDialog();
    void recreateTrayIcon();
    void message(const QString& text);

    AppContext& m_ctx;
    State m_state;
    int m_startHidden = 1;
    ConnectingDots m_dots;
    SignalHistory m_history;
    WLSurveyBuffer m_survey{};
    AdapterList m_adapters;
    AdapterSelector m_selector;
    QTimer m_timer;

    QLabel* m_adapterLabel = nullptr;
    QComboBox* m_adapterList = nullptr;
    QLabel* m_modeLabel = nullptr;
    QPushButton* m_modeButton = nullptr;
    QLabel* m_listLabel = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_listButton = nullptr;
    QGroupBox* m_infoGroup = nullptr;
    std::array<InfoRow, 5> m_rows{};
    QPushButton* m_groupButton = nullptr;
    QLabel* m_linkStatusLabel = nullptr;
    QLabel* m_linkStatusText = nullptr;
    QLabel* m_signalLabel = nullptr;
    QProgressBar* m_signalBar = nullptr;
    QLabel* m_signalText = nullptr;
    QLabel* m_qualityLabel = nullptr;
    QProgressBar* m_qualityBar = nullptr;
    QLabel* m_qualityText = nullptr;
    QLabel* m_txLabel = nullptr;
    QLabel* m_txValue = nullptr;
    QLabel* m_rxLabel = nullptr;
    QLabel* m_rxValue = nullptr;
    QLabel* m_statusIcon = nullptr;
    std::array<QPixmap, ProductIcons::kStatusFrames> m_statusFrames;
    QLabel* m_notice = nullptr;
};

} // namespace kx
