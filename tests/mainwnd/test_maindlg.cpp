// The main window driven offscreen over the simulated adapters, one status tick at a
// time. The built-in world: "0007" (newer chip, PCI) is selected first; "0008" is an
// older-chip card; "0009" runs access-point firmware.

#include <cstring>

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "adapter/AdapterState.h"
#include "app/CTrayIcon.h"
#include "app/ProgramConfig.h"
#include "kx02app/kxsim.h"
#include "mainwnd/CMainDlg.h"
#include "store/SettingsStore.h"
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
    std::unique_ptr<CMainDlg> dlg;
    ShowCounter counter;

    explicit Fixture(const std::function<void(ProgramConfig&)>& configure = {}) {
        loadShippedConfig();
        if (configure)
            configure(ctx.config);
        dlg = std::make_unique<CMainDlg>(ctx);
        dlg->installEventFilter(&counter);
        dlg->initialise();
    }

    QString text(const char* name) const { return dlg->findChild<QLabel*>(name)->text(); }
    QWidget* widget(const char* name) const { return dlg->findChild<QWidget*>(name); }
    QPushButton* button(const char* name) const { return dlg->findChild<QPushButton*>(name); }
    QTreeWidget* list() const { return dlg->findChild<QTreeWidget*>("networkList"); }
    QGroupBox* group() const { return dlg->findChild<QGroupBox*>("infoGroup"); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            dlg->statusTick();
    }
    void pin(const char* field, qint64 value, const char* adapter = "0007") {
        QCOMPARE(kxsim_set_int(adapter, field, value), 0);
    }
    void open() { dlg->onTrayCommand(CTrayIcon::OpenCommand); }
    QString stored(const char* name) { return adapterValue(name); }
};

WLSurveyRecord surveyRecord(const char* ssid, std::uint32_t kHz, std::uint32_t mode,
                            std::uint32_t privacy, int signal = 60) {
    WLSurveyRecord r{};
    r.length = sizeof r;
    const std::uint8_t bssid[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    std::memcpy(r.bssid, bssid, 6);
    r.ssidLength = static_cast<std::uint32_t>(std::strlen(ssid));
    std::memcpy(r.ssid, ssid, r.ssidLength);
    r.frequencyKHz = kHz;
    r.infrastructureMode = mode;
    r.privacy = privacy;
    r.signal = signal;
    return r;
}

void setRawSurvey(std::initializer_list<WLSurveyRecord> records) {
    WLSurveyBuffer buffer{};
    for (const WLSurveyRecord& r : records)
        buffer.records[buffer.count++] = r;
    kxsim_set_raw_survey(&buffer, sizeof buffer);
}

// Runs a scan to its end: the fifth tick after the start fetches.
void scan(Fixture& f) {
    QTest::mouseClick(f.button("listButton"), Qt::LeftButton);
    f.ticks(5);
}

// The driver functions called since the trace was cleared, in order.
QStringList callNames() {
    QStringList names;
    for (const TraceCall& call : simTrace())
        names << call.fn;
    return names;
}

void selectRow(Fixture& f, int row) {
    QTreeWidgetItem* item = f.list()->topLevelItem(row);
    f.list()->setCurrentItem(item);
    emit f.list()->itemClicked(item, 0);
}

} // namespace

class TestMainDlg final : public QObject {
    Q_OBJECT

private slots:
    void initialiseLeavesTheWindowHidden() {
        Fixture f;
        f.ticks(3);
        QCOMPARE(f.counter.shows, 0);
        QVERIFY(!f.dlg->isVisible());
        QCOMPARE(f.dlg->startHidden(), 1);
        QCOMPARE(f.dlg->windowTitle(), QStringLiteral("Tolva Wireless LAN Configuration Tool  "));
        QCOMPARE(f.dlg->findChild<QComboBox*>("adapterList")->count(), 3);
        QCOMPARE(f.dlg->state().adapterOpen, 1);
        QVERIFY(f.dlg->statusTimerActive());
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
        // Every value is announced through the label in front of it.
        QCOMPARE(f.dlg->findChild<QLabel*>("signalLabel")->buddy(), f.widget("signalBar"));
        QCOMPARE(f.dlg->findChild<QLabel*>("infoLabel3")->buddy(), f.widget("infoValue3"));
        QCOMPARE(f.dlg->findChild<QLabel*>("networkListLabel")->buddy(), f.widget("networkList"));
    }

    void modeControlsFollowTheConfiguration() {
        Fixture f([](ProgramConfig& c) { c.EnableAccessPoint = 0; });
        QVERIFY(f.button("modeButton")->isHidden());
        QVERIFY(f.widget("modeLabel")->isHidden());
    }

    void connectingDotsCycle() {
        Fixture f;
        f.pin("port_status", 2);
        f.pin("network_type", 1);
        for (int groups = 0; groups <= 18; ++groups) {
            f.ticks(1);
            QCOMPARE(f.text("linkStatusText"),
                     QStringLiteral("Connecting...") + QString(3 * groups, u'.'));
        }
        f.ticks(1);
        QCOMPARE(f.text("linkStatusText"), QStringLiteral("Connecting..."));
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
        QCOMPARE(f.text("infoValue4"), text);
    }

    void currentRateSuffix() {
        Fixture f([](ProgramConfig& c) { c.Show_Current_Tx_Data_Rate = 1; });
        kxsim_force("QueryWL_CurrentTxRate", 8);
        f.ticks(1);
        QCOMPARE(f.text("infoValue4"), QStringLiteral("11M bps - Current rate"));
        kxsim_force("QueryWL_CurrentTxRate", -1);
        f.ticks(1);
        QCOMPARE(f.text("infoValue4"), QStringLiteral("11M bps - Current rate"));
        kxsim_force("QueryWL_CurrentTxRate", -2);
        f.ticks(1);
        QCOMPARE(f.text("infoValue4"), QStringLiteral("--- - Current rate"));
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
        QCOMPARE(f.text("infoValue2"), text);
    }

    void minusOneLeavesTheRow_data() {
        QTest::addColumn<QString>("fn");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("otherNegative");
        QTest::newRow("channel") << "QueryWL_Channel"
                                 << "infoValue1"
                                 << "---";
        QTest::newRow("type") << "QueryWL_NetworkType"
                              << "infoValue2"
                              << "Unknown type(-2)";
        QTest::newRow("rate") << "QueryWL_TxRateControl"
                              << "infoValue4"
                              << "---";
        QTest::newRow("wep") << "QueryWL_WEPStatus"
                             << "infoValue5"
                             << "---";
    }
    void minusOneLeavesTheRow() {
        QFETCH(QString, fn);
        QFETCH(QString, row);
        QFETCH(QString, otherNegative);
        Fixture f;
        f.pin("channel", 6);
        f.ticks(1);
        const QString before = f.text(row.toLatin1().constData());
        QVERIFY(!before.isEmpty());
        kxsim_force(fn.toLatin1().constData(), -1);
        f.ticks(1);
        QCOMPARE(f.text(row.toLatin1().constData()), before);
        kxsim_force(fn.toLatin1().constData(), -2);
        f.ticks(1);
        QCOMPARE(f.text(row.toLatin1().constData()), otherNegative);
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
        QCOMPARE(f.text("qualityText"), QStringLiteral("97%"));
        QCOMPARE(f.dlg->findChild<QProgressBar*>("qualityBar")->value(), 97);
        QCOMPARE(f.text("signalText"), QStringLiteral("45%"));
        QVERIFY(!f.widget("signalBar")->isHidden());
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
        QCOMPARE(f.text("signalText"), QString::number(percent) + u'%');
        QCOMPARE(f.dlg->findChild<QProgressBar*>("signalBar")->value(), percent);
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
        QCOMPARE(f.text("signalText"), QStringLiteral("0%"));
        QCOMPARE(f.text("qualityText"), QStringLiteral("0%"));
        QCOMPARE(f.dlg->findChild<QProgressBar*>("signalBar")->value(), 0);
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
        auto* adapters = f.dlg->findChild<QComboBox*>("adapterList");
        adapters->setCurrentIndex(line);
        emit adapters->activated(line);
        const QByteArray name = adapter.toLatin1();
        f.pin("port_status", 4, name);
        f.pin("network_type", 1, name);
        f.pin("cqsl_signal", 70, name);
        f.pin("cqsl_packets", 1, name);
        f.ticks(1);
        QCOMPARE(f.text("signalText"), text);
    }

    void signalRowsOnlyWithAnAccessPoint() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 0);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        QCOMPARE(f.text("linkStatusText"), QStringLiteral("Connected to Ad-Hoc."));
        QVERIFY(f.widget("signalBar")->isHidden());
        QVERIFY(f.widget("qualityText")->isHidden());
        f.pin("network_type", 1);
        f.ticks(1);
        QCOMPARE(f.text("linkStatusText"), QStringLiteral("Connected to Access Point."));
        QVERIFY(!f.widget("signalBar")->isHidden());
        kxsim_force("QueryWL_CQSLCurrBSS", 1);
        f.ticks(1);
        QVERIFY(f.widget("signalBar")->isHidden());
    }

    void frameCounts() {
        Fixture f;
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("tx_frames", 4000000000LL);
        f.pin("rx_frames", 17);
        f.ticks(1);
        QCOMPARE(f.text("txFrameValue"), QStringLiteral("4000000000"));
        QCOMPARE(f.text("rxFrameValue"), QStringLiteral("17"));
        kxsim_force("GetTxRxFrameCount", -1);
        f.pin("rx_frames", 18);
        f.ticks(1);
        QCOMPARE(f.text("rxFrameValue"), QStringLiteral("17"));
        kxsim_clear_force("GetTxRxFrameCount");
        f.pin("port_status", 1);
        f.ticks(1);
        QCOMPARE(f.text("txFrameValue"), QStringLiteral("0"));
        QCOMPARE(f.text("rxFrameValue"), QStringLiteral("0"));
    }

    void ssidRow() {
        Fixture f;
        f.pin("port_status", 1);
        kxsim_set_text("0007", "ssid", "");
        f.ticks(1);
        QCOMPARE(f.text("infoValue3"), QStringLiteral("<any>"));
        kxsim_set_text("0007", "ssid", "Configured");
        f.ticks(1);
        QCOMPARE(f.text("infoValue3"), QStringLiteral("Configured"));
        kxsim_force("QueryWL_SSID", -1);
        f.ticks(1);
        QCOMPARE(f.text("infoValue3"), QStringLiteral("---"));
    }

    void zeroConfiguration() {
        Fixture f;
        f.pin("wzc", 1);
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(f.dlg->state().zeroConfig, 1);
        QVERIFY(!f.widget("zeroConfigNotice")->isHidden());
        QCOMPARE(
            f.text("zeroConfigNotice"),
            QStringLiteral("*** Wireless LAN is controlled by Windows Zero Configuration ***"));
        QVERIFY(f.button("groupButton")->isHidden());
        QVERIFY(f.widget("txFrameValue")->isHidden());
        QVERIFY(simCalls({"SetWL_DisableWirelessZeroConfiguration"})
                    .contains("SetWL_DisableWirelessZeroConfiguration(0)"));
        f.open();
        QCOMPARE(f.seam.messages.size(), 1);
        QCOMPARE(f.seam.messages[0].text,
                 QStringLiteral("Wireless LAN is controlled by Windows Zero Configuration!!!"));
        QVERIFY(!f.dlg->isVisible());
        QCOMPARE(f.dlg->startHidden(), 0);

        f.pin("wzc", 0);
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(simCalls({"SetWL_DisableWirelessZeroConfiguration"}),
                 QStringList{"SetWL_DisableWirelessZeroConfiguration(1)"});
        QVERIFY(f.widget("zeroConfigNotice")->isHidden());
        QVERIFY(!f.button("groupButton")->isHidden());
        f.open();
        QVERIFY(f.dlg->isVisible());
        QCOMPARE(f.seam.messages.size(), 1);
    }

    void exitRefusedWhileADialogIsOpen() {
        Fixture f;
        QSignalSpy ended(f.dlg.get(), &CMainDlg::runEnded);
        bool timerStopped = false;
        f.seam.onModal = [&](QDialog&) {
            timerStopped = !f.dlg->statusTimerActive();
            f.dlg->onTrayCommand(CTrayIcon::ExitCommand);
            return 0;
        };
        QTest::mouseClick(f.button("groupButton"), Qt::LeftButton);
        QCOMPARE(f.seam.modalClasses, QList<QString>{"kx::CMoreSettingDlg"});
        QVERIFY(timerStopped);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.seam.messages.size(), 1);
        QCOMPARE(
            f.seam.messages[0].text,
            QStringLiteral("Please close the current window before you close this program!!!"));
        QVERIFY(f.dlg->statusTimerActive());
        f.dlg->onTrayCommand(CTrayIcon::ExitCommand);
        QCOMPARE(ended.count(), 1);
    }

    void scanCountsDownAndFills() {
        Fixture f;
        clearSimTrace();
        QTest::mouseClick(f.button("listButton"), Qt::LeftButton);
        QVERIFY(!f.list()->isEnabled());
        QVERIFY(!f.button("listButton")->isEnabled());
        QCOMPARE(f.button("listButton")->text(), QStringLiteral("Scanning......"));
        QCOMPARE(f.text("networkListLabel"), QStringLiteral("Scanning Avaliable Network..."));
        QVERIFY(f.button("groupButton")->isHidden());
        QCOMPARE(simCalls({"WL_"}), QStringList{"WL_SiteSurveyStart()"});
        // A second press during the scan does nothing.
        f.dlg->startScan();
        f.ticks(4);
        QCOMPARE(simCalls({"WL_"}), QStringList{"WL_SiteSurveyStart()"});
        QCOMPARE(f.dlg->state().scanning, 1);
        f.ticks(1);
        QCOMPARE(simCalls({"WL_"}).size(), 2);
        QVERIFY(simCalls({"WL_"})[1].startsWith("WL_RetrieveSiteSurveyData"));
        QCOMPARE(f.dlg->state().scanning, 0);
        QVERIFY(f.list()->topLevelItemCount() > 0);
        QList<QString> ssids;
        for (int i = 0; i < f.list()->topLevelItemCount(); ++i)
            ssids << f.list()->topLevelItem(i)->text(0);
        QVERIFY(ssids.contains("TolvaNet"));
        QVERIFY(f.list()->isEnabled());
        QCOMPARE(f.button("listButton")->text(), QStringLiteral("Refresh"));
        QCOMPARE(f.text("networkListLabel"), QStringLiteral("Avaliable Network:"));
        QVERIFY(!f.button("groupButton")->isHidden());
    }

    void emptySurveyEmptiesTheList() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0)});
        scan(f);
        QCOMPARE(f.list()->topLevelItemCount(), 1);
        setRawSurvey({});
        scan(f);
        QCOMPARE(f.list()->topLevelItemCount(), 0);
    }

    void failedFetchKeepsRowsAndAllowsAnotherScan() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0), surveyRecord("B", 2417000, 1, 0)});
        scan(f);
        kxsim_force("WL_RetrieveSiteSurveyData", -1);
        scan(f);
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        QVERIFY(f.list()->isEnabled());
        QVERIFY(f.button("listButton")->isEnabled());
        QCOMPARE(f.button("listButton")->text(), QStringLiteral("Refresh"));
    }

    void strengthColumn() {
        Fixture f([](ProgramConfig& c) {
            c.Signal_Strength_Min = 20;
            c.Signal_Strength_Max = 80;
        });
        setRawSurvey({surveyRecord("A", 2412000, 1, 0, 50), surveyRecord("B", 2412000, 1, 0, 95)});
        scan(f);
        QCOMPARE(f.list()->topLevelItem(0)->text(1), QStringLiteral("50%"));
        QCOMPARE(f.list()->topLevelItem(1)->text(1), QStringLiteral("100%"));
        f.ctx.config.Show_dBm = 1;
        scan(f);
        QCOMPARE(f.list()->topLevelItem(0)->text(1), QStringLiteral("-55 dBm"));
    }

    void selectedViewCountsDown() {
        Fixture f;
        setRawSurvey({surveyRecord("Open", 2484000, 7, 0), surveyRecord("Wep", 2437000, 1, 1)});
        scan(f);
        selectRow(f, 0);
        QCOMPARE(f.group()->title(), QStringLiteral("Selected Network Information"));
        QCOMPARE(f.button("groupButton")->text(), QStringLiteral("Connect this site"));
        QCOMPARE(f.text("infoLabel2"), QStringLiteral("Type:"));
        QCOMPARE(f.text("infoValue1"), QStringLiteral("14"));
        QCOMPARE(f.text("infoValue2"), QStringLiteral("Unknown"));
        QCOMPARE(f.text("infoValue3"), QStringLiteral("Off"));
        QCOMPARE(f.text("infoValue4"), QStringLiteral("00 0A 1B 2C 3D 4E"));
        QVERIFY(f.widget("infoLabel5")->isHidden());
        selectRow(f, 1);
        QCOMPARE(f.text("infoValue3"), QStringLiteral("On"));
        f.ticks(8);
        QCOMPARE(f.group()->title(), QStringLiteral("Selected Network Information"));
        // The ticks leave the selected network's rows alone (row 3 is WEP, not the SSID).
        QCOMPARE(f.text("infoValue1"), QStringLiteral("6"));
        QCOMPARE(f.text("infoValue3"), QStringLiteral("On"));
        QCOMPARE(f.text("infoValue4"), QStringLiteral("00 0A 1B 2C 3D 4E"));
        f.ticks(1);
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Information"));
        QCOMPARE(f.dlg->state().selectedView, 0);
    }

    void connectOpenNetwork() {
        Fixture f;
        setRawSurvey({surveyRecord("TolvaNet", 2437000, 1, 0)});
        scan(f);
        selectRow(f, 0);
        clearSimTrace();
        QTest::mouseClick(f.button("groupButton"), Qt::LeftButton);
        QStringList calls = simCalls({"Set", "Query", "WL_"});
        calls.removeIf([](const QString& c) {
            return !c.startsWith("SetWL_") && !c.startsWith("QueryWL_Auth");
        });
        const QStringList joined = calls.mid(0, 7);
        QCOMPARE(joined.size(), 7);
        QCOMPARE(joined[0], QStringLiteral("SetWL_NetworkType(1)"));
        QCOMPARE(joined[1], QStringLiteral("SetWL_AuthenticationMode(3)"));
        QCOMPARE(joined[2], QStringLiteral("SetWL_Channel(6)"));
        QCOMPARE(joined[3], QStringLiteral("SetWL_WEPStatus(0)"));
        QVERIFY(joined[4].startsWith("SetWL_DesiredBSSID"));
        QCOMPARE(joined[5], QStringLiteral("SetWL_SSID(\"TolvaNet\")"));
        QCOMPARE(joined[6], QStringLiteral("SetWL_RestartNIC()"));
        QCOMPARE(f.stored("NetworkType"), QStringLiteral("1"));
        QCOMPARE(f.stored("AuthentMode"), QStringLiteral("3"));
        QCOMPARE(f.stored("RFChannel"), QStringLiteral("6"));
        QCOMPARE(f.stored("WEPStatus"), QStringLiteral("0"));
        QCOMPARE(f.stored("SSID"), QStringLiteral("TolvaNet"));
        QVERIFY(f.seam.questions.isEmpty());
        QVERIFY(f.dlg->statusTimerActive());
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Information"));
        QCOMPARE(f.dlg->state().selectedView, 0);
    }

    void connectAdHocByDoubleClick() {
        Fixture f;
        // A record without SSID joins with an empty one.
        setRawSurvey({surveyRecord("", 2422000, 0, 0)});
        scan(f);
        QCOMPARE(f.list()->topLevelItem(0)->text(0), QString());
        clearSimTrace();
        QTreeWidgetItem* item = f.list()->topLevelItem(0);
        f.list()->setCurrentItem(item);
        emit f.list()->itemDoubleClicked(item, 0);
        const QStringList sets = simCalls({"SetWL_NetworkType", "SetWL_Channel", "SetWL_SSID"});
        QCOMPARE(sets,
                 (QStringList{"SetWL_NetworkType(0)", "SetWL_Channel(3)", "SetWL_SSID(\"\")"}));
        QCOMPARE(f.stored("NetworkType"), QStringLiteral("0"));
        QCOMPARE(f.stored("SSID"), QString());
    }

    void connectWithoutSelectionOrUnderZeroConfigDoesNothing() {
        Fixture f;
        setRawSurvey({surveyRecord("TolvaNet", 2437000, 1, 0)});
        scan(f);
        clearSimTrace();
        f.dlg->connectSelectedNetwork();
        QVERIFY(simCalls({"SetWL_"}).isEmpty());
        f.list()->setCurrentItem(f.list()->topLevelItem(0));
        f.pin("wzc", 1);
        f.ticks(1);
        clearSimTrace();
        f.dlg->connectSelectedNetwork();
        QVERIFY(simCalls({"SetWL_"}).isEmpty());
    }

    void connectWepNetwork_data() {
        QTest::addColumn<bool>("keepKeys");
        QTest::newRow("yes keeps the keys") << true;
        QTest::newRow("no opens the key dialog") << false;
    }
    void connectWepNetwork() {
        QFETCH(bool, keepKeys);
        Fixture f;
        setRawSurvey({surveyRecord("HomeWEP64", 2412000, 1, 1)});
        scan(f);
        selectRow(f, 0);
        clearSimTrace();
        f.seam.answers = {keepKeys};
        QStringList callsAtDialog;
        f.seam.onModal = [&](QDialog&) {
            callsAtDialog = simCalls({"SetWL_"});
            return 0;
        };
        QTest::mouseClick(f.button("groupButton"), Qt::LeftButton);
        QCOMPARE(f.seam.questions.size(), 1);
        QCOMPARE(f.seam.questions[0].title, QStringLiteral("Use Previous WEP Setting"));
        QCOMPARE(f.seam.questions[0].text,
                 QStringLiteral("You have selected to connect to the WEP encryption network.\n"
                                "Do you want to use the previous WEP setting?\n"));
        const QStringList sets = simCalls({"SetWL_"});
        QVERIFY(sets.contains("SetWL_WEPStatus(1)"));
        QVERIFY(std::any_of(sets.begin(), sets.end(),
                            [](const QString& c) { return c.startsWith("SetWL_WriteKey"); }));
        QCOMPARE(sets.last(), QStringLiteral("SetWL_RestartNIC()"));
        QVERIFY(f.stored("WEPStatus") != QStringLiteral("0"));
        if (keepKeys) {
            QVERIFY(f.seam.modalClasses.isEmpty());
        } else {
            QCOMPARE(f.seam.modalClasses, QList<QString>{"kx::CWEPKeySettingDlg"});
            // The stored keys were applied before the question, the SSID comes after.
            QVERIFY(std::any_of(callsAtDialog.begin(), callsAtDialog.end(),
                                [](const QString& c) { return c.startsWith("SetWL_WriteKey"); }));
            QVERIFY(!callsAtDialog.contains("SetWL_RestartNIC()"));
        }
    }

    void enterAndEscapeAreSwallowed() {
        Fixture f;
        QSignalSpy ended(f.dlg.get(), &CMainDlg::runEnded);
        f.open();
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
        f.open();
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

    void modeSwitch() {
        Fixture f;
        QTest::mouseClick(f.button("listButton"), Qt::LeftButton);
        clearSimTrace();
        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        QVERIFY(f.ctx.adapter.accessPointMode);
        QCOMPARE(f.dlg->state().scanning, 0);
        QCOMPARE(f.button("modeButton")->text(), QStringLiteral("Access Point"));
        QCOMPARE(f.list()->headerItem()->text(0), QStringLiteral("Station MAC Address"));
        QCOMPARE(f.list()->columnCount(), 1);
        QCOMPARE(f.list()->columnWidth(0), 169);
        QCOMPARE(f.text("networkListLabel"), QStringLiteral("Connect Station List:"));
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Setting"));
        QCOMPARE(f.text("infoLabel4"), QStringLiteral("Tx Power:"));
        QVERIFY(f.widget("linkStatusText")->isHidden());
        QVERIFY(f.widget("signalBar")->isHidden());
        QVERIFY(!f.widget("txFrameValue")->isHidden());
        QVERIFY(f.list()->isEnabled());
        QVERIFY(f.button("listButton")->isEnabled());
        QVERIFY(simCalls({"SetWL_NetworkType"}).contains("SetWL_NetworkType(4)"));
        QCOMPARE(f.stored("NetworkType"), QStringLiteral("4"));

        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        QVERIFY(!f.ctx.adapter.accessPointMode);
        QCOMPARE(f.list()->columnCount(), 2);
        QCOMPARE(f.button("listButton")->text(), QStringLiteral("Refresh"));
        QVERIFY(f.button("listButton")->isEnabled());
        QCOMPARE(f.stored("NetworkType"), QStringLiteral("1"));
    }

    void surveyRowsComeBackAfterAccessPointMode() {
        Fixture f;
        setRawSurvey({surveyRecord("A", 2412000, 1, 0), surveyRecord("B", 2417000, 1, 0)});
        scan(f);
        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        QCOMPARE(f.list()->topLevelItemCount(), 0);
        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        QCOMPARE(f.list()->topLevelItem(1)->text(0), QStringLiteral("B"));
    }

    void accessPointTicks() {
        Fixture f;
        auto* adapters = f.dlg->findChild<QComboBox*>("adapterList");
        adapters->setCurrentIndex(2);
        emit adapters->activated(2);
        QVERIFY(f.ctx.adapter.accessPointMode);
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Setting"));
        clearSimTrace();
        f.ticks(4);
        QCOMPARE(f.list()->topLevelItemCount(), 0);
        QCOMPARE(simCalls({"GetTxRxFrameCount"}).size(), 4 * 9);
        QVERIFY(f.text("infoValue4").startsWith("Level "));
        f.ticks(1);
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        QCOMPARE(f.list()->topLevelItem(0)->text(0), QStringLiteral("00 16 3E 11 22 33"));
        kxsim_force("WL_RetrieveStationList", -1);
        f.ticks(5);
        QCOMPARE(f.list()->topLevelItemCount(), 2);
        // A click on a station row is not a survey entry.
        selectRow(f, 0);
        QCOMPARE(f.group()->title(), QStringLiteral("Current Network Setting"));
        // Until the access point dialog exists its button only refreshes the values.
        QTest::mouseClick(f.button("groupButton"), Qt::LeftButton);
        QVERIFY(f.dlg->statusTimerActive());
        QCOMPARE(f.dlg->state().noChildDialog, 1);
    }

    void searchesAgainWithoutAdapter() {
        TestContext fx;
        kxsim_load_scenario("{\"adapters\": []}");
        fx.loadShippedConfig();
        CTrayIcon tray(fx.ctx.language);
        fx.ctx.tray = &tray;
        tray.create(QStringLiteral("tip"));
        CMainDlg dlg(fx.ctx);
        dlg.initialise();
        QCOMPARE(dlg.findChild<QComboBox*>("adapterList")->count(), 0);
        dlg.statusTick();
        QVERIFY(!tray.isActive());
        QCOMPARE(dlg.state().adapterOpen, 0);
        kxsim_reset();
        dlg.statusTick();
        QCOMPARE(dlg.state().adapterOpen, 1);
        QVERIFY(tray.isActive());
        QCOMPARE(tray.tooltip(), QStringLiteral("KXConfig --- Wireless LAN Configuration Tool"));
        QCOMPARE(dlg.findChild<QComboBox*>("adapterList")->count(), 3);
    }

    void rediscoveredAccessPointKeepsItsListTexts() {
        TestContext fx;
        kxsim_load_scenario("{\"adapters\": []}");
        fx.loadShippedConfig();
        CMainDlg dlg(fx.ctx);
        dlg.initialise();
        dlg.statusTick();
        // Only the access point comes back.
        QCOMPARE(kxsim_load_scenario(
                     "{\"adapters\": [{\"instance\": \"0009\", \"name\": \"AP_0009\","
                     " \"description\": \"AP\", \"hardware_id\": \"USB\\\\VID_1D5A&PID_3101\","
                     " \"firmware\": \"access_point\"}]}"),
                 0);
        dlg.statusTick();
        QVERIFY(fx.ctx.adapter.accessPointMode);
        QCOMPARE(dlg.findChild<QLabel*>("networkListLabel")->text(),
                 QStringLiteral("Connect Station List:"));
        QVERIFY(dlg.findChild<QPushButton*>("listButton")->isEnabled());
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
        QTest::mouseClick(f.button("listButton"), Qt::LeftButton);
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

    void accessPointTickCallOrder() {
        Fixture f;
        auto* adapters = f.dlg->findChild<QComboBox*>("adapterList");
        adapters->setCurrentIndex(2);
        emit adapters->activated(2);
        const QStringList head = QStringList{"KxOpenAdapter", "QueryWL_CheckWZCStatus"} +
                                 QStringList(9, QStringLiteral("GetTxRxFrameCount"));
        const QStringList settings{"QueryWL_Channel", "QueryWLAP_SSID", "QueryWL_WEPStatus",
                                   "QueryWL_WEPbit", "QueryWLAP_TxPowerLevel"};
        for (int i = 0; i < 4; ++i) {
            clearSimTrace();
            f.ticks(1);
            QCOMPARE(callNames(), head + settings);
        }
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(callNames(), head + QStringList{"WL_RetrieveStationList"} + settings);
    }

    void modeSwitchCallOrder() {
        Fixture f;
        clearSimTrace();
        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        // The access point's values are shown before the adapter is told its new type.
        QCOMPARE(callNames(),
                 (QStringList{"QueryWL_Channel", "QueryWLAP_SSID", "QueryWL_WEPStatus",
                              "QueryWL_WEPbit", "QueryWLAP_TxPowerLevel", "SetWL_NetworkType"}));
        clearSimTrace();
        QTest::mouseClick(f.button("modeButton"), Qt::LeftButton);
        QCOMPARE(simCalls(), QStringList{"SetWL_NetworkType(1)"});
    }

    void failedOpenSkipsTheTick() {
        Fixture f;
        f.pin("channel", 6);
        f.ticks(1);
        kxsim_force("KxOpenAdapter", 0);
        f.pin("channel", 11);
        clearSimTrace();
        f.ticks(1);
        QCOMPARE(callNames(), QStringList{"KxOpenAdapter"});
        QCOMPARE(f.text("infoValue1"), QStringLiteral("6"));
        QCOMPARE(f.dlg->state().adapterOpen, 1);
        kxsim_clear_force("KxOpenAdapter");
        f.ticks(1);
        QCOMPARE(f.text("infoValue1"), QStringLiteral("11"));
    }

    void adapterNotInUseSearchesAgain() {
        Fixture f;
        f.ctx.adapter.info.inUse = 0;
        clearSimTrace();
        f.ticks(1);
        QVERIFY(callNames().isEmpty());
        QCOMPARE(f.dlg->state().adapterOpen, 0);
        f.ticks(1);
        QCOMPARE(callNames().value(0), QStringLiteral("CreateAllNICAdapterList"));
        QCOMPARE(f.dlg->state().adapterOpen, 1);
        QCOMPARE(f.ctx.adapter.info.inUse, 1);
    }

    void connectWepNetworkCallOrder() {
        Fixture f;
        // Infrastructure mode 2 joins as infrastructure; 2484 MHz is channel 14.
        setRawSurvey({surveyRecord("HomeWEP64", 2484000, 2, 1)});
        scan(f);
        selectRow(f, 0);
        QVERIFY(f.ctx.store
                    .writeAdapterValue(AdapterValue::WepDefaultKeys,
                                       QStringLiteral("0102030405111213141521222324253132333435"))
                    .ok());
        f.pin("default_key_id", 2);
        kxsim_force("QueryWL_AuthenticationMode", 2);
        f.seam.answers = {true};
        clearSimTrace();
        QTest::mouseClick(f.button("groupButton"), Qt::LeftButton);

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
        QCOMPARE(f.stored("NetworkType"), QStringLiteral("1"));
        QCOMPARE(f.stored("AuthentMode"), QStringLiteral("3"));
        QCOMPARE(f.stored("RFChannel"), QStringLiteral("14"));
        QCOMPARE(f.stored("WEPStatus"), QStringLiteral("2"));
        QCOMPARE(f.stored("WEPDefaultKeyId"), QStringLiteral("3"));
        QCOMPARE(f.stored("SSID"), QStringLiteral("HomeWEP64"));
        QVERIFY(f.dlg->statusTimerActive());
    }

    // ---- visibility and signal history over ticks ----------------------------------

    void openedWindowStaysUntilZeroConfigTakesOver() {
        Fixture f;
        f.open();
        f.ticks(2);
        QVERIFY(f.dlg->isVisible());
        f.pin("wzc", 1);
        f.ticks(1);
        QVERIFY(!f.dlg->isVisible());
    }

    void hiddenSignalForgetsTheHistory() {
        Fixture f; // the shipped ranges: 0..100 for both
        f.pin("port_status", 4);
        f.pin("network_type", 1);
        f.pin("cqsl_quality_sum", 270);
        f.pin("cqsl_signal", 90);
        f.pin("cqsl_packets", 3);
        f.ticks(1);
        QCOMPARE(f.text("qualityText"), QStringLiteral("90%"));
        f.pin("port_status", 3);
        f.ticks(1);
        f.pin("port_status", 4);
        f.pin("cqsl_quality_sum", 10);
        f.pin("cqsl_signal", 30);
        f.pin("cqsl_packets", 1);
        f.ticks(1);
        // Only the sample after the ad hoc tick counts.
        QCOMPARE(f.text("qualityText"), QStringLiteral("10%"));
        QCOMPARE(f.text("signalText"), QStringLiteral("30%"));
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
