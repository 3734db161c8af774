// The main window's behaviour without a window, over the simulated adapters, one status
// tick at a time. The built-in world: "0007" (newer chip, PCI) is selected first; "0008"
// is an older-chip card; "0009" runs access-point firmware.

#include <functional>
#include <memory>

#include <QTest>

#include "context/AppContext.h"
#include "driver/AdapterValue.h"
#include "kx02app/kxsim.h"
#include "mainwnd/MonitorHost.h"
#include "mainwnd/StationMonitor.h"
#include "tests/mainwnd/SurveyWorld.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

// The window, as far as the monitor sees it.
class FakeWindow final : public MonitorHost {
public:
    void hideWindow() override { ++hides; }
    void removeTrayIcon() override { trayShown = false; }
    void restoreTrayIcon() override { trayShown = true; }
    void stopStatusTimer() override { timerRunning = false; }
    void startStatusTimer() override { timerRunning = true; }
    bool keepWepKeys(const QString& title, const QString& question) override {
        questions << title << question;
        return keepKeys;
    }
    void editWepKeys() override {
        ++keyDialogs;
        callsAtKeyDialog = simCalls({"SetWL_"});
    }

    int hides = 0;
    bool trayShown = true;
    bool timerRunning = true;
    bool keepKeys = true;
    QStringList questions;
    int keyDialogs = 0;
    QStringList callsAtKeyDialog;
};

struct Fixture : TestContext {
    FakeWindow window;
    std::unique_ptr<StationMonitor> monitor;

    explicit Fixture(const std::function<void(ProgramConfig&)>& configure = {},
                     bool started = true) {
        loadShippedConfig();
        if (configure)
            configure(ctx.config);
        if (started)
            start();
    }
    void start() {
        monitor = std::make_unique<StationMonitor>(ctx, window);
        monitor->initialise();
    }

    const MainView& view() const { return monitor->view(); }
    const StationMonitor::State& state() const { return monitor->state(); }
    QString row(int i) const { return view().info[static_cast<std::size_t>(i)].value; }
    QString listCell(int r, int c = 0) const { return view().rows.value(r).value(c); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            monitor->tick();
    }
    void pin(const char* field, qint64 value, const char* adapter = "0007") {
        QCOMPARE(kxsim_set_int(adapter, field, value), 0);
    }
    // A scan to its end: the fifth tick after the start fetches.
    void scan() {
        monitor->pressListButton();
        ticks(5);
    }
    void switchMode() { QVERIFY(monitor->switchMode().ok()); }
    void join(int r) { QVERIFY(monitor->join(r).ok()); }
};

} // namespace

class TestStationMonitor final : public QObject {
    Q_OBJECT

private slots:
    // ---- layout ---------------------------------------------------------------------

    void layoutAfterStart() {
        Fixture f;
        QCOMPARE(f.view().title, QStringLiteral("Tolva Wireless LAN Configuration Tool  "));
        QCOMPARE(f.view().adapterLines.size(), 3);
        QCOMPARE(f.view().currentAdapterLine, 0);
        QVERIFY(f.state().adapterOpen);
        QCOMPARE(f.view().modeButton, QStringLiteral("Station"));
        QVERIFY(f.view().modeShown);
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Information"));
        QCOMPARE(f.view().groupButton, QStringLiteral("More Setting..."));
        QCOMPARE(f.view().columns.size(), 2);
        QCOMPARE(f.view().columns[0].header, QStringLiteral("SSID"));
        QCOMPARE(f.view().columns[1].width, 64);
        QCOMPARE(f.view().listLabel, QStringLiteral("Available Network:"));
        QVERIFY(!f.view().noticeShown);
    }

    void modeControlsFollowTheConfiguration() {
        Fixture f([](ProgramConfig& c) { c.EnableAccessPoint = 0; });
        QVERIFY(!f.view().modeShown);
    }

    // ---- the station tick -------------------------------------------------------------

    void connectingDotsCycle() {
        Fixture f;
        f.pin("port_status", 2);
        f.pin("network_type", 1);
        for (int groups = 0; groups <= 18; ++groups) {
            f.ticks(1);
            QCOMPARE(f.view().linkStatus,
                     QStringLiteral("Connecting...") + QString(3 * groups, u'.'));
        }
        f.ticks(1);
        QCOMPARE(f.view().linkStatus, QStringLiteral("Connecting..."));
    }

    void rateRow_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("1M") << 1 << "1M bps";
        QTest::newRow("5.5M") << 4 << "5.5M bps";
        QTest::newRow("11M") << 8 << "11M bps";
        QTest::newRow("12 = 11M") << 12 << "11M bps";
        QTest::newRow("auto") << 15 << "Auto";
        QTest::newRow("16.5M") << 16 << "16.5M bps";
        QTest::newRow("22M") << 32 << "22M bps";
        QTest::newRow("27.5M") << 64 << "27.5M bps";
        QTest::newRow("48") << 48 << "x.xM bps(Code: 0x30";
        QTest::newRow("0") << 0 << "---";
        QTest::newRow("-2") << -2 << "---";
    }
    void rateRow() {
        QFETCH(int, code);
        QFETCH(QString, text);
        Fixture f;
        kxsim_force("QueryWL_TxRateControl", code);
        f.ticks(1);
        QCOMPARE(f.row(3), text);
    }

    void currentRateSuffix() {
        Fixture f([](ProgramConfig& c) { c.Show_Current_Tx_Data_Rate = 1; });
        kxsim_force("QueryWL_CurrentTxRate", 8);
        f.ticks(1);
        QCOMPARE(f.row(3), QStringLiteral("11M bps - Current rate"));
        kxsim_force("QueryWL_CurrentTxRate", -1);
        f.ticks(1);
        QCOMPARE(f.row(3), QStringLiteral("11M bps - Current rate"));
        kxsim_force("QueryWL_CurrentTxRate", -2);
        f.ticks(1);
        QCOMPARE(f.row(3), QStringLiteral("--- - Current rate"));
    }

    void typeRow_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("ad hoc") << 0 << "Ad-Hoc";
        QTest::newRow("infrastructure") << 1 << "Infrastructure";
        QTest::newRow("pseudo IBSS") << 3 << "Pseudo IBSS";
        QTest::newRow("access point") << 4 << "Unknown type(4)";
        QTest::newRow("-2") << -2 << "Unknown type(-2)";
    }
    void typeRow() {
        QFETCH(int, code);
        QFETCH(QString, text);
        Fixture f;
        kxsim_force("QueryWL_NetworkType", code);
        f.ticks(1);
        QCOMPARE(f.row(1), text);
    }

    void minusOneLeavesTheRow_data() {
        QTest::addColumn<QString>("fn");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("otherNegative");
        QTest::newRow("channel") << "QueryWL_Channel" << 0 << "---";
        QTest::newRow("type") << "QueryWL_NetworkType" << 1 << "Unknown type(-2)";
        QTest::newRow("rate") << "QueryWL_TxRateControl" << 3 << "---";
        QTest::newRow("wep") << "QueryWL_WEPStatus" << 4 << "---";
    }
    void minusOneLeavesTheRow() {
        QFETCH(QString, fn);
        QFETCH(int, row);
        QFETCH(QString, otherNegative);
        Fixture f;
        f.pin("channel", 6);
        f.ticks(1);
        const QString before = f.row(row);
        QVERIFY(!before.isEmpty());
        kxsim_force(fn.toLatin1().constData(), -1);
        f.ticks(1);
        QCOMPARE(f.row(row), before);
        kxsim_force(fn.toLatin1().constData(), -2);
        f.ticks(1);
        QCOMPARE(f.row(row), otherNegative);
    }

    void averagedQuality() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        const int samples[3][3] = {{300, 60, 3}, {0, 99, 0}, {90, 30, 1}};
        for (const auto& s : samples) {
            f.pin("cqsl_quality_sum", s[0]);
            f.pin("cqsl_signal", s[1]);
            f.pin("cqsl_packets", s[2]);
            f.ticks(1);
        }
        QCOMPARE(f.view().qualityText, QStringLiteral("97%"));
        QCOMPARE(f.view().qualityPercent, 97);
        QCOMPARE(f.view().signalText, QStringLiteral("45%"));
        QVERIFY(f.view().signalShown);
    }

    void signalRange_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("percent");
        QTest::newRow("50") << 50 << 50;
        QTest::newRow("10") << 10 << 0;
        QTest::newRow("95") << 95 << 100;
    }
    void signalRange() {
        QFETCH(int, signal);
        QFETCH(int, percent);
        Fixture f([](ProgramConfig& c) {
            c.Signal_Strength_Min = 20;
            c.Signal_Strength_Max = 80;
        });
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("cqsl_signal", signal);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        QCOMPARE(f.view().signalText, QString::number(percent) + u'%');
        QCOMPARE(f.view().signalPercent, percent);
    }

    void omittedBoundsShowZero() {
        Fixture f([](ProgramConfig& c) {
            c.Signal_Strength_Min = c.Signal_Strength_Max = 0;
            c.Communication_Quality_Min = c.Communication_Quality_Max = 0;
        });
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("cqsl_signal", 50);
        f.pin("cqsl_quality_sum", 50);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        QCOMPARE(f.view().signalText, QStringLiteral("0%"));
        QCOMPARE(f.view().qualityText, QStringLiteral("0%"));
        QCOMPARE(f.view().signalPercent, 0);
    }

    void dbmByChip_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("adapter");
        QTest::addColumn<QString>("text");
        QTest::newRow("newer chip") << 0 << "0007"
                                    << "-30 dBm";
        QTest::newRow("older chip") << 1 << "0008"
                                    << "-35 dBm";
    }
    void dbmByChip() {
        QFETCH(int, line);
        QFETCH(QString, adapter);
        QFETCH(QString, text);
        Fixture f([](ProgramConfig& c) { c.Show_dBm = 1; });
        f.monitor->selectAdapter(line);
        const QByteArray name = adapter.toLatin1();
        f.pin("port_status", 4, name);
        f.pin("network_type", 1, name);
        f.pin("cqsl_signal", 70, name);
        f.pin("cqsl_packets", 1, name);
        f.ticks(1);
        QCOMPARE(f.view().signalText, text);
    }

    void signalRowsOnlyWithAnAccessPoint() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 0);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        QCOMPARE(f.view().linkStatus, QStringLiteral("Connected to Ad-Hoc."));
        QVERIFY(!f.view().signalShown);
        f.pin("network_type", 1);
        f.ticks(1);
        QCOMPARE(f.view().linkStatus, QStringLiteral("Connected to Access Point."));
        QVERIFY(f.view().signalShown);
        kxsim_force("QueryWL_CQSLCurrBSS", 1);
        f.ticks(1);
        QVERIFY(!f.view().signalShown);
    }

    void hiddenSignalForgetsTheHistory() {
        Fixture f; // the shipped ranges: 0..100 for both
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("cqsl_quality_sum", 270);
        f.pin("cqsl_signal", 90);
        f.pin("cqsl_packets", 3);
        f.ticks(1);
        QCOMPARE(f.view().qualityText, QStringLiteral("90%"));
        f.pin("port_status", 3);
        f.ticks(1);
        f.pin("port_status", 4);
        f.pin("cqsl_quality_sum", 10);
        f.pin("cqsl_signal", 30);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        // Only the sample after the ad hoc tick counts.
        QCOMPARE(f.view().qualityText, QStringLiteral("10%"));
        QCOMPARE(f.view().signalText, QStringLiteral("30%"));
    }

    void frameCounts() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("tx_frames", 4000000000LL);
        f.pin("rx_frames", 17);
        f.ticks(1);
        QCOMPARE(f.view().txFrames, QStringLiteral("4000000000"));
        QCOMPARE(f.view().rxFrames, QStringLiteral("17"));
        kxsim_force("GetTxRxFrameCount", -1);
        f.pin("rx_frames", 18);
        f.ticks(1);
        QCOMPARE(f.view().rxFrames, QStringLiteral("17"));
        kxsim_clear_force("GetTxRxFrameCount");
        f.pin("port_status", 1);
        f.ticks(1);
        QCOMPARE(f.view().txFrames, QStringLiteral("0"));
        QCOMPARE(f.view().rxFrames, QStringLiteral("0"));
    }

    void ssidRow() {
        Fixture f;
        f.pin("port_status", 1);
        kxsim_set_text("0007", "ssid", "");
        f.ticks(1);
        QCOMPARE(f.row(2), QStringLiteral("<any>"));
        kxsim_set_text("0007", "ssid", "Configured");
        f.ticks(1);
        QCOMPARE(f.row(2), QStringLiteral("Configured"));
        kxsim_force("QueryWL_SSID", -1);
        f.ticks(1);
        QCOMPARE(f.row(2), QStringLiteral("---"));
    }

    // ---- who controls the adapter ----------------------------------------------------

    void zeroConfiguration() {
        Fixture f;
        f.pin("wzc", 1);
        clearSimTrace();
        const int hidesBefore = f.window.hides;
        f.ticks(1);
        QVERIFY(f.monitor->systemControlsAdapter());
        QVERIFY(f.window.hides > hidesBefore);
        QVERIFY(f.view().noticeShown);
        QCOMPARE(
            f.view().notice,
            QStringLiteral("*** Wireless LAN is controlled by Windows Zero Configuration ***"));
        QVERIFY(!f.view().groupButtonShown);
        QVERIFY(!f.view().framesShown);
        QCOMPARE(simCalls({"SetWL_DisableWirelessZeroConfiguration"}),
                 QStringList{"SetWL_DisableWirelessZeroConfiguration(0)"});
        // A new layout keeps what the check found.
        f.monitor->applyLayout();
        QVERIFY(f.view().noticeShown);

        f.pin("wzc", 0);
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(simCalls({"SetWL_DisableWirelessZeroConfiguration"}),
                 QStringList{"SetWL_DisableWirelessZeroConfiguration(1)"});
        QVERIFY(!f.view().noticeShown);
        QVERIFY(f.view().groupButtonShown);
        QVERIFY(f.view().framesShown);
    }

    void endHandsBackZeroConfiguration() {
        Fixture f;
        clearSimTrace();
        f.monitor.reset();
        QCOMPARE(simCalls(), QStringList{"SetWL_DisableWirelessZeroConfiguration(0)"});
    }

    // ---- site survey ------------------------------------------------------------------

    void scanCountsDownAndFills() {
        Fixture f;
        clearSimTrace();
        f.monitor->pressListButton();
        QVERIFY(!f.view().listEnabled);
        QCOMPARE(f.view().listButton, QStringLiteral("Scanning......"));
        QCOMPARE(f.view().listLabel, QStringLiteral("Scanning Avaliable Network..."));
        QVERIFY(!f.view().groupButtonShown);
        QCOMPARE(simCalls({"WL_"}), QStringList{"WL_SiteSurveyStart()"});
        // A second press during the scan does nothing.
        f.monitor->pressListButton();
        f.ticks(4);
        QCOMPARE(simCalls({"WL_"}), QStringList{"WL_SiteSurveyStart()"});
        QVERIFY(f.state().scanning);
        f.ticks(1);
        QCOMPARE(simCalls({"WL_"}).size(), 2);
        QVERIFY(simCalls({"WL_"})[1].startsWith("WL_RetrieveSiteSurveyData"));
        QVERIFY(!f.state().scanning);
        QStringList ssids;
        for (const QStringList& row : f.view().rows)
            ssids << row.value(0);
        QVERIFY(ssids.contains("TolvaNet"));
        QVERIFY(f.view().listEnabled);
        QCOMPARE(f.view().listButton, QStringLiteral("Refresh"));
        QCOMPARE(f.view().listLabel, QStringLiteral("Avaliable Network:"));
        QVERIFY(f.view().groupButtonShown);
    }

    void emptySurveyEmptiesTheList() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0)});
        f.scan();
        QCOMPARE(f.view().rows.size(), 1);
        setRawSurvey({});
        f.scan();
        QCOMPARE(f.view().rows.size(), 0);
    }

    void failedFetchKeepsRowsAndAllowsAnotherScan() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0), surveyRecord("B", 2417000, 1, 0)});
        f.scan();
        const int revision = f.view().rowsRevision;
        kxsim_force("WL_RetrieveSiteSurveyData", -1);
        f.scan();
        QCOMPARE(f.view().rows.size(), 2);
        // The rows were not rebuilt, so a selection on them stays.
        QCOMPARE(f.view().rowsRevision, revision);
        QVERIFY(f.view().listEnabled);
        QCOMPARE(f.view().listButton, QStringLiteral("Refresh"));
    }

    void strengthColumn() {
        Fixture f([](ProgramConfig& c) {
            c.Signal_Strength_Min = 20;
            c.Signal_Strength_Max = 80;
        });
        setRawSurvey({surveyRecord("A", 2412000, 1, 0, 50), surveyRecord("B", 2412000, 1, 0, 95)});
        f.scan();
        QCOMPARE(f.listCell(0, 1), QStringLiteral("50%"));
        QCOMPARE(f.listCell(1, 1), QStringLiteral("100%"));
        f.ctx.config.Show_dBm = 1;
        f.scan();
        QCOMPARE(f.listCell(0, 1), QStringLiteral("-55 dBm"));
    }

    void selectedViewCountsDown() {
        Fixture f;
        setRawSurvey({surveyRecord("Open", 2484000, 7, 0), surveyRecord("Wep", 2437000, 1, 1)});
        f.scan();
        f.monitor->showSelectedNetwork(0);
        QCOMPARE(f.view().groupTitle, QStringLiteral("Selected Network Information"));
        QCOMPARE(f.view().groupButton, QStringLiteral("Connect this site"));
        QCOMPARE(f.view().info[1].label, QStringLiteral("Type:"));
        QCOMPARE(f.row(0), QStringLiteral("14"));
        QCOMPARE(f.row(1), QStringLiteral("Unknown"));
        QCOMPARE(f.row(2), QStringLiteral("Off"));
        QCOMPARE(f.row(3), QStringLiteral("00 0A 1B 2C 3D 4E"));
        QVERIFY(!f.view().info[4].shown);
        f.monitor->showSelectedNetwork(1);
        QCOMPARE(f.row(2), QStringLiteral("On"));
        f.ticks(8);
        QCOMPARE(f.view().groupTitle, QStringLiteral("Selected Network Information"));
        // The ticks leave the selected network's rows alone (row 3 is WEP, not the SSID).
        QCOMPARE(f.row(0), QStringLiteral("6"));
        QCOMPARE(f.row(2), QStringLiteral("On"));
        QCOMPARE(f.row(3), QStringLiteral("00 0A 1B 2C 3D 4E"));
        f.ticks(1);
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Information"));
        QVERIFY(!f.state().selectedView);
    }

    void surveyRowsComeBackAfterAccessPointMode() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0), surveyRecord("B", 2417000, 1, 0)});
        f.scan();
        f.switchMode();
        QCOMPARE(f.view().rows.size(), 0);
        f.switchMode();
        QCOMPARE(f.view().rows.size(), 2);
        QCOMPARE(f.listCell(1), QStringLiteral("B"));
    }

    // ---- joining ----------------------------------------------------------------------

    void joinOpenNetwork() {
        Fixture f;
        setRawSurvey({surveyRecord("TolvaNet", 2437000, 1, 0)});
        f.scan();
        f.monitor->showSelectedNetwork(0);
        clearSimTrace();
        f.join(0);
        QStringList calls = simCalls({"Set", "Query", "WL_"});
        calls.removeIf([](const QString& c) {
            return !c.startsWith("SetWL_") && !c.startsWith("QueryWL_Auth");
        });
        const QStringList joined = calls.mid(0, 7);
        QCOMPARE(joined.size(), 7);
        QCOMPARE(joined.mid(0, 4),
                 (QStringList{"SetWL_NetworkType(1)", "SetWL_AuthenticationMode(3)",
                              "SetWL_Channel(6)", "SetWL_WEPStatus(0)"}));
        QVERIFY(joined[4].startsWith("SetWL_DesiredBSSID"));
        QCOMPARE(joined[5], QStringLiteral("SetWL_SSID(\"TolvaNet\")"));
        QCOMPARE(joined[6], QStringLiteral("SetWL_RestartNIC()"));
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("1"));
        QCOMPARE(f.adapterValue("AuthentMode"), QStringLiteral("3"));
        QCOMPARE(f.adapterValue("RFChannel"), QStringLiteral("6"));
        QCOMPARE(f.adapterValue("WEPStatus"), QStringLiteral("0"));
        QCOMPARE(f.adapterValue("SSID"), QStringLiteral("TolvaNet"));
        QVERIFY(f.window.questions.isEmpty());
        QVERIFY(f.window.timerRunning);
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Information"));
        QVERIFY(!f.state().selectedView);
    }

    void joinAdHocWithoutSsid() {
        Fixture f;
        setRawSurvey({surveyRecord("", 2422000, 0, 0)});
        f.scan();
        QCOMPARE(f.listCell(0), QString());
        clearSimTrace();
        f.join(0);
        QCOMPARE(simCalls({"SetWL_NetworkType", "SetWL_Channel", "SetWL_SSID"}),
                 (QStringList{"SetWL_NetworkType(0)", "SetWL_Channel(3)", "SetWL_SSID(\"\")"}));
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("0"));
        QCOMPARE(f.adapterValue("SSID"), QString());
    }

    void joinRefused() {
        Fixture f;
        setRawSurvey({surveyRecord("TolvaNet", 2437000, 1, 0)});
        f.scan();
        clearSimTrace();
        f.join(-1);
        f.join(1); // past the survey
        QVERIFY(simCalls({"SetWL_"}).isEmpty());
        f.pin("wzc", 1);
        f.ticks(1);
        clearSimTrace();
        f.join(0);
        QVERIFY(simCalls({"SetWL_"}).isEmpty());
        QVERIFY(f.window.timerRunning);
        // A station row stands for no survey record.
        f.pin("wzc", 0);
        f.ticks(1);
        f.switchMode();
        clearSimTrace();
        f.join(0);
        f.monitor->showSelectedNetwork(0);
        QVERIFY(simCalls({"SetWL_"}).isEmpty());
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Setting"));
    }

    void joinWepNetwork_data() {
        QTest::addColumn<bool>("keepKeys");
        QTest::newRow("yes keeps the keys") << true;
        QTest::newRow("no opens the key dialog") << false;
    }
    void joinWepNetwork() {
        QFETCH(bool, keepKeys);
        Fixture f;
        setRawSurvey({surveyRecord("HomeWEP64", 2412000, 1, 1)});
        f.scan();
        clearSimTrace();
        f.window.keepKeys = keepKeys;
        f.join(0);
        QCOMPARE(f.window.questions,
                 (QStringList{"Use Previous WEP Setting",
                              "You have selected to connect to the WEP encryption network.\n"
                              "Do you want to use the previous WEP setting?\n"}));
        const QStringList sets = simCalls({"SetWL_"});
        QVERIFY(sets.contains("SetWL_WEPStatus(1)"));
        QCOMPARE(sets.last(), QStringLiteral("SetWL_RestartNIC()"));
        QVERIFY(f.adapterValue("WEPStatus") != QStringLiteral("0"));
        QCOMPARE(f.window.keyDialogs, keepKeys ? 0 : 1);
        if (!keepKeys) {
            // The recorded keys were applied before the question, the SSID comes after.
            QVERIFY(std::any_of(f.window.callsAtKeyDialog.begin(), f.window.callsAtKeyDialog.end(),
                                [](const QString& c) { return c.startsWith("SetWL_WriteKey"); }));
            QVERIFY(!f.window.callsAtKeyDialog.contains("SetWL_RestartNIC()"));
        }
    }

    void joinWepNetworkCallOrder() {
        Fixture f;
        // Infrastructure mode 2 joins as infrastructure; 2484 MHz is channel 14.
        setRawSurvey({surveyRecord("HomeWEP64", 2484000, 2, 1)});
        f.scan();
        f.monitor->showSelectedNetwork(0);
        QVERIFY(f.ctx.store
                    .writeAdapterValue(AdapterValue::WepDefaultKeys,
                                       QStringLiteral("0102030405111213141521222324253132333435"))
                    .ok());
        f.pin("default_key_id", 2);
        kxsim_force("QueryWL_AuthenticationMode", 2);
        clearSimTrace();
        f.join(0);

        QStringList calls =
            simCalls({"SetWL_", "QueryWL_AuthenticationMode", "QueryWL_DefaultKeyID"});
        QVERIFY(calls.size() > 14);
        QVERIFY(calls[13].startsWith("SetWL_DesiredBSSID"));
        calls.removeAt(13);
        QCOMPARE(calls.mid(0, 16),
                 (QStringList{
                     "SetWL_NetworkType(1)", "SetWL_AuthenticationMode(3)", "SetWL_Channel(14)",
                     "SetWL_WEPStatus(1)", "QueryWL_AuthenticationMode()",
                     "SetWL_AuthenticationMode(2)", "SetWL_WEPStatus(1)", "QueryWL_DefaultKeyID()",
                     "SetWL_WriteKey(0,0,0,\"0102030405\")", "SetWL_WriteKey(1,0,0,\"1112131415\")",
                     "SetWL_WriteKey(2,0,1,\"2122232425\")", "SetWL_WriteKey(3,0,0,\"3132333435\")",
                     "SetWL_WEPStatus(1)", "SetWL_SSID(\"HomeWEP64\")", "SetWL_RestartNIC()"}));
        // The link is shown again at once, after the restart.
        const QStringList names = callNames();
        QVERIFY(names.lastIndexOf("QueryWL_PortStatus") > names.indexOf("SetWL_RestartNIC"));
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("1"));
        QCOMPARE(f.adapterValue("AuthentMode"), QStringLiteral("3"));
        QCOMPARE(f.adapterValue("RFChannel"), QStringLiteral("14"));
        QCOMPARE(f.adapterValue("WEPStatus"), QStringLiteral("2"));
        QCOMPARE(f.adapterValue("WEPDefaultKeyId"), QStringLiteral("3"));
        QCOMPARE(f.adapterValue("SSID"), QStringLiteral("HomeWEP64"));
        QVERIFY(f.window.timerRunning);
    }

    // ---- access point -----------------------------------------------------------------

    void modeSwitch() {
        Fixture f;
        f.monitor->pressListButton();
        clearSimTrace();
        f.switchMode();
        QVERIFY(f.ctx.adapter.accessPointMode);
        QVERIFY(!f.state().scanning);
        QCOMPARE(f.view().modeButton, QStringLiteral("Access Point"));
        QCOMPARE(f.view().columns.size(), 1);
        QCOMPARE(f.view().columns[0].header, QStringLiteral("Station MAC Address"));
        QCOMPARE(f.view().columns[0].width, 169);
        QCOMPARE(f.view().listLabel, QStringLiteral("Connect Station List:"));
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Setting"));
        QCOMPARE(f.view().info[3].label, QStringLiteral("Tx Power:"));
        QVERIFY(!f.view().linkStatusShown);
        QVERIFY(!f.view().signalShown);
        QVERIFY(f.view().framesShown);
        QVERIFY(f.view().listEnabled);
        // The access point's values are shown before the adapter is told its new type.
        QCOMPARE(callNames(),
                 (QStringList{"QueryWL_Channel", "QueryWLAP_SSID", "QueryWL_WEPStatus",
                              "QueryWL_WEPbit", "QueryWLAP_TxPowerLevel", "SetWL_NetworkType"}));
        QCOMPARE(simCalls({"SetWL_"}), QStringList{"SetWL_NetworkType(4)"});
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("4"));

        clearSimTrace();
        f.switchMode();
        QVERIFY(!f.ctx.adapter.accessPointMode);
        QCOMPARE(f.view().columns.size(), 2);
        QCOMPARE(f.view().listButton, QStringLiteral("Refresh"));
        QVERIFY(f.view().listEnabled);
        QCOMPARE(simCalls(), QStringList{"SetWL_NetworkType(1)"});
        QCOMPARE(f.adapterValue("NetworkType"), QStringLiteral("1"));
    }

    void accessPointTicks() {
        Fixture f;
        f.monitor->selectAdapter(2);
        QVERIFY(f.monitor->accessPointMode());
        QCOMPARE(f.view().groupTitle, QStringLiteral("Current Network Setting"));
        const QStringList head = QStringList{"KxOpenAdapter", "QueryWL_CheckWZCStatus"} +
                                 QStringList(9, QStringLiteral("GetTxRxFrameCount"));
        const QStringList values{"QueryWL_Channel", "QueryWLAP_SSID", "QueryWL_WEPStatus",
                                 "QueryWL_WEPbit", "QueryWLAP_TxPowerLevel"};
        // Frame counts every tick, the stations every fifth.
        for (int i = 0; i < 4; ++i) {
            clearSimTrace();
            f.ticks(1);
            QCOMPARE(callNames(), head + values);
        }
        QCOMPARE(f.view().rows.size(), 0);
        QVERIFY(f.row(3).startsWith("Level "));
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(callNames(), head + QStringList{"WL_RetrieveStationList"} + values);
        QCOMPARE(f.view().rows.size(), 2);
        QCOMPARE(f.listCell(0), QStringLiteral("00 16 3E 11 22 33"));
        kxsim_force("WL_RetrieveStationList", -1);
        f.ticks(5);
        QCOMPARE(f.view().rows.size(), 2);
    }

    // ---- adapters coming and going --------------------------------------------------

    void failedOpenSkipsTheTick() {
        Fixture f;
        f.pin("channel", 6);
        f.ticks(1);
        kxsim_force("KxOpenAdapter", 0);
        f.pin("channel", 11);
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(callNames(), QStringList{"KxOpenAdapter"});
        QCOMPARE(f.row(0), QStringLiteral("6"));
        QVERIFY(f.state().adapterOpen);
        kxsim_clear_force("KxOpenAdapter");
        f.ticks(1);
        QCOMPARE(f.row(0), QStringLiteral("11"));
    }

    void adapterNotInUseSearchesAgain() {
        Fixture f;
        f.ctx.adapter.info.inUse = 0;
        clearSimTrace();
        f.ticks(1);
        QVERIFY(callNames().isEmpty());
        QVERIFY(!f.state().adapterOpen);
        f.ticks(1);
        QCOMPARE(callNames().value(0), QStringLiteral("CreateAllNICAdapterList"));
        QVERIFY(f.state().adapterOpen);
        QCOMPARE(f.ctx.adapter.info.inUse, 1);
    }

    void searchesAgainWithoutAdapter() {
        Fixture f({}, false);
        QCOMPARE(kxsim_load_scenario("{\"adapters\": []}"), 0);
        f.start();
        QCOMPARE(f.view().adapterLines.size(), 0);
        f.ticks(1);
        QVERIFY(!f.window.trayShown);
        QVERIFY(f.window.hides > 0);
        QVERIFY(!f.state().adapterOpen);
        kxsim_reset();
        f.ticks(1);
        QVERIFY(f.state().adapterOpen);
        QVERIFY(f.window.trayShown);
        QCOMPARE(f.view().adapterLines.size(), 3);
    }

    void rediscoveredAccessPointKeepsItsListTexts() {
        Fixture f({}, false);
        QCOMPARE(kxsim_load_scenario("{\"adapters\": []}"), 0);
        f.start();
        f.ticks(1);
        // Only the access point comes back.
        QCOMPARE(kxsim_load_scenario(
                     "{\"adapters\": [{\"instance\": \"0009\", \"name\": \"AP_0009\","
                     " \"description\": \"AP\", \"hardware_id\": \"USB\\\\VID_1D5A&PID_3101\","
                     " \"firmware\": \"access_point\"}]}"),
                 0);
        f.ticks(1);
        QVERIFY(f.monitor->accessPointMode());
        QCOMPARE(f.view().listLabel, QStringLiteral("Connect Station List:"));
        QVERIFY(f.view().listEnabled);
    }

    // ---- call orders, as the driver sees them ------------------------------------

    void stationTickCallOrder_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("networkType");
        QTest::addColumn<int>("showBssid");
        QTest::addColumn<QStringList>("link"); // the calls of the link status part

        QTest::newRow("joined to an access point")
            << 4 << 1 << 0
            << QStringList{"QueryWL_PortStatus", "QueryWL_NetworkType", "QueryWL_CurrentSSID",
                           "QueryWL_CQSLCurrBSS", "GetTxRxFrameCount"};
        QTest::newRow("joined, BSSID shown")
            << 4 << 1 << 1
            << QStringList{"QueryWL_PortStatus",  "QueryWL_NetworkType", "QueryWL_BSSID",
                           "QueryWL_CurrentSSID", "QueryWL_CQSLCurrBSS", "GetTxRxFrameCount"};
        QTest::newRow("ad hoc, BSSID shown: no signal query")
            << 3 << 0 << 1
            << QStringList{"QueryWL_PortStatus", "QueryWL_BSSID", "QueryWL_CurrentSSID",
                           "GetTxRxFrameCount"};
        QTest::newRow("disconnected: the configured SSID")
            << 1 << 1 << 0
            << QStringList{"QueryWL_PortStatus", "QueryWL_SSID", "GetTxRxFrameCount"};
    }
    void stationTickCallOrder() {
        QFETCH(int, port);
        QFETCH(int, networkType);
        QFETCH(int, showBssid);
        QFETCH(QStringList, link);
        Fixture f([&](ProgramConfig& c) {
            c.Show_BSSID = showBssid;
            c.Show_Current_Tx_Data_Rate = 0;
        });
        f.pin("port_status", port);
        f.pin("network_type", networkType);
        f.pin("cqsl_packets", 1);
        clearSimTrace();
        f.ticks(1);
        const QStringList head{"KxOpenAdapter",         "QueryWL_CheckWZCStatus",
                               "QueryWL_Channel",       "QueryWL_NetworkType",
                               "QueryWL_TxRateControl", "QueryWL_WEPStatus"};
        QCOMPARE(callNames(), head + link);
    }

    void scanTicksCallOrder() {
        Fixture f;
        f.pin("port_status", 1);
        f.monitor->pressListButton();
        const QStringList open{"KxOpenAdapter", "QueryWL_CheckWZCStatus"};
        const QStringList values{"QueryWL_Channel", "QueryWL_NetworkType", "QueryWL_TxRateControl",
                                 "QueryWL_WEPStatus"};
        const QStringList link{"QueryWL_PortStatus", "QueryWL_SSID", "GetTxRxFrameCount"};
        // While the scan runs the link status part stays silent.
        for (int i = 0; i < 4; ++i) {
            clearSimTrace();
            f.ticks(1);
            QCOMPARE(callNames(), open + values);
        }
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(callNames(),
                 open + QStringList{"WL_RetrieveSiteSurveyData"} + link + values + link);
    }
};

QTEST_GUILESS_MAIN(TestStationMonitor)
#include "test_stationmonitor.moc"
