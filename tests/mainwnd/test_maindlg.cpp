// The main window's wiring, offscreen over the simulated adapters: what the station
// monitor finds reaches the widgets, the user's actions reach the monitor, and the
// window hides, shows and ends as it should. The monitor itself is tested without a
// window (test_stationmonitor).

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/CTrayIcon.h"
#include "context/AppContext.h"
#include "kx02app/kxsim.h"
#include "mainwnd/ui/CMainDlg.h"
#include "tests/mainwnd/SurveyWorld.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

// Counts the times a widget is shown.
class ShowCounter final : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

struct Fixture : TestContext {
    // Most tests act as a user who has opened the window from the tray.
    enum Start { NotStarted, Hidden, Opened };

    std::unique_ptr<CMainDlg> dlg;
    ShowCounter counter;

    explicit Fixture(Start how = Opened) {
        loadShippedConfig();
        if (how != NotStarted)
            start();
        if (how == Opened)
            open();
    }
    void start() {
        dlg = std::make_unique<CMainDlg>(ctx);
        dlg->installEventFilter(&counter);
        dlg->initialise();
    }
    bool built() const { return !dlg->findChildren<QWidget*>().isEmpty(); }

    QString text(const char* name) const { return dlg->findChild<QLabel*>(name)->text(); }
    QWidget* widget(const char* name) const { return dlg->findChild<QWidget*>(name); }
    QPushButton* button(const char* name) const { return dlg->findChild<QPushButton*>(name); }
    QTreeWidget* list() const { return dlg->findChild<QTreeWidget*>("networkList"); }
    QGroupBox* group() const { return dlg->findChild<QGroupBox*>("infoGroup"); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            dlg->statusTick();
    }
    void pin(const char* field, qint64 value) { QCOMPARE(kxsim_set_int("0007", field, value), 0); }
    void open() { dlg->onTrayCommand(CTrayIcon::OpenCommand); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void selectRow(int row) {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        list()->setCurrentItem(item);
        emit list()->itemClicked(item, 0);
    }
    void activateAdapter(int line) {
        auto* adapters = dlg->findChild<QComboBox*>("adapterList");
        adapters->setCurrentIndex(line);
        emit adapters->activated(line);
    }
};

} // namespace

class TestMainDlg final : public QObject {
    Q_OBJECT

private slots:
    void initialiseLeavesTheWindowHidden() {
        Fixture f(Fixture::Hidden);
        f.ticks(3);
        QCOMPARE(f.counter.shows, 0);
        QVERIFY(!f.dlg->isVisible());
        QVERIFY(f.dlg->startHidden());
        // A second copy finds the title while the window is still hidden.
        QCOMPARE(f.dlg->windowTitle(), QStringLiteral("Tolva Wireless LAN Configuration Tool  "));
        QVERIFY(f.dlg->monitor().state().adapterOpen);
        QVERIFY(f.dlg->statusTimerActive());
        // Nothing is built for a window nobody has looked at.
        QVERIFY(!f.built());
    }

    void theFirstOpenShowsTheLatestTickAtOnce() {
        Fixture f(Fixture::Hidden);
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("channel", 11);
        f.pin("rx_frames", 17);
        f.ticks(2);
        f.open();
        QCOMPARE(f.counter.shows, 1);
        QCOMPARE(f.text("infoValue1"), QStringLiteral("11"));
        QCOMPARE(f.text("linkStatusText"), QStringLiteral("Connected to Access Point."));
        QCOMPARE(f.text("rxFrameValue"), QStringLiteral("17"));
        QCOMPARE(f.dlg->findChild<QComboBox*>("adapterList")->count(), 3);
        QCOMPARE(f.dlg->findChild<QComboBox*>("adapterList")->currentIndex(), 0);
        QCOMPARE(f.text("adapterLabel"), QStringLiteral("Network Adapter:"));
        QCOMPARE(f.button("modeButton")->text(), QStringLiteral("Station"));
        QVERIFY(!f.button("modeButton")->isHidden());
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Information"));
        QCOMPARE(f.button("groupButton")->text(), QStringLiteral("More Setting..."));
        QCOMPARE(f.list()->headerItem()->text(0), QStringLiteral("SSID"));
        QCOMPARE(f.list()->headerItem()->text(1), QStringLiteral("Strength"));
        QCOMPARE(f.list()->columnWidth(0), 105);
        QCOMPARE(f.list()->columnWidth(1), 64);
        QCOMPARE(f.text("networkListLabel"), QStringLiteral("Available Network:"));
        QVERIFY(f.widget("zeroConfigNotice")->isHidden());
        QVERIFY(!f.dlg->windowIcon().isNull());
        // Every value is announced through the label in front of it.
        QCOMPARE(f.dlg->findChild<QLabel*>("signalLabel")->buddy(), f.widget("signalBar"));
        QCOMPARE(f.dlg->findChild<QLabel*>("infoLabel3")->buddy(), f.widget("infoValue3"));
        QCOMPARE(f.dlg->findChild<QLabel*>("networkListLabel")->buddy(), f.widget("networkList"));
    }

    void ticksWhileHiddenAgainShowOnReopening() {
        Fixture f;
        f.pin("channel", 3);
        f.ticks(1);
        f.dlg->close();
        f.pin("channel", 9);
        f.ticks(1);
        f.open();
        QCOMPARE(f.text("infoValue1"), QStringLiteral("9"));
    }

    void aTickIsShown() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("channel", 11);
        f.pin("cqsl_quality_sum", 270);
        f.pin("cqsl_signal", 90);
        f.pin("cqsl_packets", 3);
        f.pin("rx_frames", 17);
        f.ticks(1);
        QCOMPARE(f.text("linkStatusText"), QStringLiteral("Connected to Access Point."));
        QCOMPARE(f.text("infoValue1"), QStringLiteral("11"));
        QCOMPARE(f.text("qualityText"), QStringLiteral("90%"));
        QCOMPARE(f.dlg->findChild<QProgressBar*>("qualityBar")->value(), 90);
        QCOMPARE(f.dlg->findChild<QProgressBar*>("signalBar")->value(), 90);
        QCOMPARE(f.text("rxFrameValue"), QStringLiteral("17"));
        QVERIFY(!f.widget("signalBar")->isHidden());
        f.pin("port_status", 1);
        f.ticks(1);
        QVERIFY(f.widget("signalBar")->isHidden());
    }

    void zeroConfigurationKeepsTheWindowHidden() {
        Fixture f(Fixture::Hidden);
        f.pin("wzc", 1);
        f.ticks(1);
        QVERIFY(f.dlg->monitor().view().noticeShown);
        f.open();
        QCOMPARE(f.seam.messages.size(), 1);
        QCOMPARE(f.seam.messages[0].text,
                 QStringLiteral("Wireless LAN is controlled by Windows Zero Configuration!!!"));
        QVERIFY(!f.dlg->isVisible());
        QVERIFY(!f.dlg->startHidden());
        QVERIFY(!f.built());

        f.pin("wzc", 0);
        f.ticks(1);
        f.open();
        QVERIFY(f.dlg->isVisible());
        QVERIFY(f.widget("zeroConfigNotice")->isHidden());
        QVERIFY(!f.button("groupButton")->isHidden());
        QVERIFY(!f.widget("txFrameValue")->isHidden());
        QCOMPARE(f.seam.messages.size(), 1);
        f.pin("wzc", 1);
        f.ticks(1);
        QVERIFY(!f.dlg->isVisible());
    }

    void exitRefusedWhileADialogIsOpen() {
        Fixture f;
        QSignalSpy ended(f.dlg.get(), &CMainDlg::runEnded);
        bool timerStopped = false;
        Qt::WindowModality modality = Qt::NonModal;
        f.seam.onModal = [&](QDialog& dialog) {
            timerStopped = !f.dlg->statusTimerActive();
            modality = dialog.windowModality();
            f.dlg->onTrayCommand(CTrayIcon::ExitCommand);
            return 0;
        };
        f.click("groupButton");
        QCOMPARE(f.seam.modalClasses, QList<QString>{"kx::CMoreSettingDlg"});
        QVERIFY(timerStopped);
        // Modal to the main window only: the tray stays usable.
        QCOMPARE(modality, Qt::WindowModal);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.seam.messages.size(), 1);
        QCOMPARE(
            f.seam.messages[0].text,
            QStringLiteral("Please close the current window before you close this program!!!"));
        QVERIFY(f.dlg->statusTimerActive());
        QVERIFY(!f.dlg->childDialogOpen());
        f.dlg->onTrayCommand(CTrayIcon::ExitCommand);
        QCOMPARE(ended.count(), 1);
    }

    void scanSelectAndJoin() {
        Fixture f;
        setRawSurvey(
            {surveyRecord("Open", 2412000, 1, 0), surveyRecord("TolvaNet", 2437000, 1, 0)});
        f.click("listButton");
        QVERIFY(!f.list()->isEnabled());
        QVERIFY(!f.button("listButton")->isEnabled());
        QCOMPARE(f.button("listButton")->text(), QStringLiteral("Scanning......"));
        QVERIFY(f.button("groupButton")->isHidden());
        f.ticks(5);
        QVERIFY(f.list()->isEnabled());
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        QCOMPARE(f.list()->topLevelItem(1)->text(0), QStringLiteral("TolvaNet"));
        f.selectRow(1);
        QCOMPARE(f.group()->title(), QStringLiteral("Selected Network Information"));
        QCOMPARE(f.text("infoValue1"), QStringLiteral("6"));
        // The ticks leave the rows, and so the user's choice, alone.
        f.ticks(2);
        QCOMPARE(f.list()->currentItem(), f.list()->topLevelItem(1));
        f.click("groupButton");
        QCOMPARE(f.adapterValue("SSID"), QStringLiteral("TolvaNet"));
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Information"));
        QVERIFY(f.dlg->statusTimerActive());
    }

    void doubleClickJoins() {
        Fixture f;
        setRawSurvey({surveyRecord("", 2422000, 0, 0)});
        f.click("listButton");
        f.ticks(5);
        clearSimTrace();
        QTreeWidgetItem* item = f.list()->topLevelItem(0);
        f.list()->setCurrentItem(item);
        emit f.list()->itemDoubleClicked(item, 0);
        QCOMPARE(simCalls({"SetWL_Channel", "SetWL_SSID"}),
                 (QStringList{"SetWL_Channel(3)", "SetWL_SSID(\"\")"}));
    }

    void declinedWepKeysOpenTheKeyDialog() {
        Fixture f;
        setRawSurvey({surveyRecord("HomeWEP64", 2412000, 1, 1)});
        f.click("listButton");
        f.ticks(5);
        f.selectRow(0);
        f.seam.answers = {false};
        bool exitRefused = false;
        f.seam.onModal = [&](QDialog&) {
            f.dlg->onTrayCommand(CTrayIcon::ExitCommand);
            exitRefused = f.seam.messages.size() == 1;
            return 0;
        };
        f.click("groupButton");
        QCOMPARE(f.seam.questions.size(), 1);
        QCOMPARE(f.seam.questions[0].title, QStringLiteral("Use Previous WEP Setting"));
        QCOMPARE(f.seam.modalClasses, QList<QString>{"kx::CWEPKeySettingDlg"});
        QVERIFY(exitRefused);
        QCOMPARE(simCalls({"SetWL_"}).last(), QStringLiteral("SetWL_RestartNIC()"));
    }

    void enterAndEscapeAreSwallowed() {
        Fixture f;
        QSignalSpy ended(f.dlg.get(), &CMainDlg::runEnded);
        QVERIFY(f.dlg->isVisible());
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(f.dlg.get(), key);
            QVERIFY(f.dlg->isVisible());
        }
        QVERIFY(f.seam.modalClasses.isEmpty());
        QCOMPARE(ended.count(), 0);
    }

    void closeAndMinimiseHide() {
        Fixture f;
        QVERIFY(f.dlg->isVisible());
        f.dlg->close();
        QVERIFY(!f.dlg->isVisible());
        f.open();
        QVERIFY(f.dlg->isVisible());
        f.dlg->setWindowState(Qt::WindowMinimized);
        QVERIFY(!f.dlg->isVisible());
        f.open();
        QVERIFY(f.dlg->isVisible());
        QVERIFY(!(f.dlg->windowState() & Qt::WindowMinimized));
    }

    void modeButtonSwitchesTheLayout() {
        Fixture f;
        f.click("modeButton");
        QCOMPARE(f.button("modeButton")->text(), QStringLiteral("Access Point"));
        QCOMPARE(f.list()->columnCount(), 1);
        QCOMPARE(f.list()->headerItem()->text(0), QStringLiteral("Station MAC Address"));
        QCOMPARE(f.list()->columnWidth(0), 169);
        QCOMPARE(f.text("infoLabel4"), QStringLiteral("Tx Power:"));
        QVERIFY(f.widget("linkStatusText")->isHidden());
        QVERIFY(!f.widget("txFrameValue")->isHidden());
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("4"));
        f.click("modeButton");
        QCOMPARE(f.list()->columnCount(), 2);
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("1"));
    }

    void accessPointFromTheAdapterList() {
        Fixture f;
        f.activateAdapter(2);
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Setting"));
        f.ticks(5);
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        QCOMPARE(f.list()->topLevelItem(0)->text(0), QStringLiteral("00 16 3E 11 22 33"));
        // A click on a station row is not a survey entry.
        f.selectRow(0);
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Setting"));
        // The group button opens the access point's settings with the timer stopped; the
        // rows show what they changed as soon as they close.
        bool timerStopped = false;
        f.seam.onModal = [&](QDialog&) {
            timerStopped = !f.dlg->statusTimerActive();
            kxsim_set_int(nullptr, "ap_tx_power", 3);
            return 0;
        };
        f.click("groupButton");
        QCOMPARE(f.seam.modalClasses, QStringList{"kx::CAPSettingDlg"});
        QVERIFY(timerStopped);
        QCOMPARE(f.text("infoValue4"), QStringLiteral("Level 3"));
        QVERIFY(f.dlg->statusTimerActive());
        QVERIFY(!f.dlg->childDialogOpen());
    }

    void trayIconGoesWithTheAdapters() {
        Fixture f(Fixture::NotStarted);
        kxsim_load_scenario("{\"adapters\": []}");
        CTrayIcon tray(f.ctx.language);
        f.ctx.tray = &tray;
        tray.create(QStringLiteral("tip"));
        f.start();
        QCOMPARE(f.dlg->monitor().view().adapterLines.size(), 0);
        f.ticks(1);
        QVERIFY(!tray.isActive());
        kxsim_reset();
        f.ticks(1);
        QVERIFY(tray.isActive());
        QCOMPARE(tray.tooltip(), QStringLiteral("KXConfig --- Wireless LAN Configuration Tool"));
        QCOMPARE(f.dlg->monitor().view().adapterLines.size(), 3);
        f.dlg.reset();
        f.ctx.tray = nullptr;
    }

    void destructionHandsBackZeroConfiguration() {
        Fixture f;
        clearSimTrace();
        f.dlg.reset();
        QCOMPARE(simCalls({"SetWL_DisableWirelessZeroConfiguration"}),
                 QStringList{"SetWL_DisableWirelessZeroConfiguration(0)"});
    }
};

QTEST_MAIN(TestMainDlg)
#include "test_maindlg.moc"
