#pragma once
// The program's one top-level window. It stays hidden until the tray's open command,
// shows what the station monitor finds on each tick of its timer, and hands the user's
// actions to the monitor. It hides instead of closing; only the tray's exit command
// ends its run. Dialogs it opens are modal to it and run with the timer stopped.

#include <array>
#include <functional>

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include "context/ProgramTray.h"
#include "mainwnd/MainView.h"
#include "mainwnd/MonitorHost.h"
#include "mainwnd/StationMonitor.h"
#include "ui/UnsavedNotice.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace kx {

struct AppContext;

class CMainDlg final : public QDialog, private MonitorHost {
    Q_OBJECT
public:
    explicit CMainDlg(AppContext& context);
    ~CMainDlg() override;

    // State, adapter discovery and layout, timer; leaves the window hidden.
    void initialise();
    // One tick of the status timer (tests call it directly).
    void statusTick();
    void onTrayCommand(kx::ProgramTray::Command command);

    bool statusTimerActive() const { return m_timer.isActive(); }
    bool startHidden() const { return m_startHidden; }
    // The exit command is refused while a dialog opened from here is up.
    bool childDialogOpen() const { return m_childDialogOpen; }
    const StationMonitor& monitor() const { return m_monitor; }

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

    // MonitorHost
    void hideWindow() override { hide(); }
    void removeTrayIcon() override;
    void restoreTrayIcon() override;
    void stopStatusTimer() override { m_timer.stop(); }
    void startStatusTimer() override;
    bool keepWepKeys(const QString& title, const QString& question) override;
    void editWepKeys() override;

    void ensureBuilt();
    void buildUi();
    QWidget* buildAdapterRow();
    QWidget* buildListColumn();
    QWidget* buildInfoGroup();
    QWidget* buildBottomArea();
    void connectActions();
    std::function<void()> andShow(std::function<void()> action);

    // The title always; the widgets while the window is shown.
    void render();
    void draw(const MainView& view);
    void renderAdapterLines(const MainView& view);
    void renderList(const MainView& view);
    void renderBottomArea(const MainView& view);

    int selectedRow() const;
    void onGroupButton();
    void openWindow();
    void exitProgram();
    void runChildDialog(QDialog& dialog);
    // A dialog of the group button: the status timer stands still while it is up and
    // until `afterwards` has run.
    void runWithTimerStopped(QDialog& dialog, const std::function<void()>& afterwards = {});
    void message(const QString& text);

    AppContext& m_ctx;
    StationMonitor m_monitor;
    UnsavedNotice* m_unsaved;
    bool m_startHidden = true;
    bool m_childDialogOpen = false;
    bool m_built = false;
    QTimer m_timer;
    int m_shownAdapterLines = -1;
    int m_shownRows = -1;
    int m_shownIconFrame = -1;

    QLabel* m_adapterLabel = nullptr;
    QComboBox* m_adapterList = nullptr;
    QLabel* m_modeLabel = nullptr;
    QPushButton* m_modeButton = nullptr;
    QLabel* m_listLabel = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_listButton = nullptr;
    QGroupBox* m_infoGroup = nullptr;
    std::array<InfoRow, MainView::kInfoRows> m_rows{};
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
    std::array<QPixmap, MainView::kIconFrames> m_statusFrames;
    QLabel* m_notice = nullptr;
};

} // namespace kx
