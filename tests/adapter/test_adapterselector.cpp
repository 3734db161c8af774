#include <cstring>
#include <memory>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "adapter/AdapterSelector.h"
#include "adapter/AdapterState.h"
#include "kx02app/kxsim.h"
#include "platform/Registry.h"
#include "program/ProgramConfig.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

namespace {

const QString kPciNewer = QStringLiteral("PCI\\VEN_1C7E&DEV_2102&SUBSYS_21021C7E");
const QString kPcmcia = QStringLiteral("PCMCIA\\TOLVA-KX3101_WLAN_CARD-3A1F");
const QString kUsb = QStringLiteral("USB\\VID_1D5A&PID_3101");

// Records what selection asks of the main window, in order.
class RecordingHost final : public AdapterHost {
public:
    void clearAdapterLines() override {
        calls << QStringLiteral("clear");
        lines.clear();
    }
    void addAdapterLine(const QString& description) override { lines << description; }
    void setCurrentAdapterLine(int index) override { current = index; }
    int currentAdapterLine() const override { return current; }
    void adapterOpened() override { calls << QStringLiteral("opened"); }
    void recheckZeroConfiguration() override { calls << QStringLiteral("zeroConfig"); }
    void applyLayout() override { calls << QStringLiteral("layout"); }
    void resetStationListTicks() override { calls << QStringLiteral("stationTicks"); }
    void endSiteScan() override { calls << QStringLiteral("endScan"); }
    void showAccessPointSettings() override { calls << QStringLiteral("apSettings"); }

    QStringList calls;
    QStringList lines;
    int current = -1;
};

struct Card {
    QString instance;
    QString hardwareId;
    QString firmware = QStringLiteral("station");
    bool opens = true;
    QString description = {};
};

void loadWorld(const QList<Card>& cards) {
    QJsonArray adapters;
    for (const Card& card : cards) {
        adapters.append(QJsonObject{
            {"name", QStringLiteral("\\DEVICE\\{KX-") + card.instance + u'}'},
            {"description", card.description.isEmpty()
                                ? QStringLiteral("Tolva card ") + card.instance
                                : card.description},
            {"instance", card.instance},
            {"hardware_id", card.hardwareId},
            {"firmware", card.firmware},
            {"opens", card.opens},
        });
    }
    const QByteArray json =
        QJsonDocument(QJsonObject{{"adapters", adapters}, {"seed", 7}}).toJson();
    QCOMPARE(kxsim_load_scenario(json.constData()), 0);
    // A key left by an earlier world keeps its identifier; the test's cards must not.
    for (const Card& card : cards)
        QCOMPARE(
            Registry::writeString(
                Hive::LocalMachine,
                AdapterSelector::registryKeyFor(card.instance.toLatin1().constData()).toStdString(),
                "MatchingDeviceId", card.hardwareId.toStdString()),
            0);
}

void configure(ProgramConfig& config, const QStringList& ids, int enableAccessPoint = 1) {
    config.hardwareIds = ids;
    config.EnableAccessPoint = enableAccessPoint;
    config.ChipVersion = 3101;
    config.Fail_Avoid_Count = 5;
}

} // namespace

class TestAdapterSelector final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void perAdapterValues_data();
    void perAdapterValues();
    void unknownBusKeepsPreviousSizes();
    void registryKey_data();
    void registryKey();
    void firstConfiguredIdEmptyAcceptsNothing();
    void matchingTwoIdsAddsTwice();
    void cardThatDoesNotOpenIsLeftOut();
    void cardWithoutIdentifierIsSkipped();
    void missingChannelDataAllowsChannelsOneToFourteen();
    void elevenAdaptersGiveTenLines();
    void untrustedAdapterCount_data();
    void untrustedAdapterCount();
    void fullLengthDescription();
    void accessPointFirmware_data();
    void accessPointFirmware();
    void failedOpenAtSelectionKeepsValues();
    void driverCallOrder();

private:
    AdapterSelector selector() { return AdapterSelector(m_host, m_list, m_state, m_config); }

    std::unique_ptr<TestEnv> m_env;
    RecordingHost m_host;
    AdapterList m_list;
    AdapterState m_state;
    ProgramConfig m_config;
};

void TestAdapterSelector::init() {
    m_env = std::make_unique<TestEnv>();
    m_host = RecordingHost{};
    m_list.clear();
    m_state = AdapterState{};
    m_config = ProgramConfig{};
}

void TestAdapterSelector::cleanup() {
    m_env.reset();
}

void TestAdapterSelector::perAdapterValues_data() {
    QTest::addColumn<QString>("hardwareId");
    QTest::addColumn<int>("chip");
    QTest::addColumn<int>("bus");
    QTest::addColumn<int>("eepromLength");
    QTest::addColumn<int>("extendedOffset");
    QTest::addColumn<bool>("fullMask"); // false: the mask comes from the EEPROM

    QTest::newRow("newer PCI chip") << kPciNewer << 3102 << 2 << 512 << 256 << true;
    QTest::newRow("lower case with subsystem part")
        << QStringLiteral("pci\\ven_1c7e&dev_2105&subsys_00ff1c7e") << 3102 << 2 << 512 << 256
        << true;
    QTest::newRow("exactly the 21 characters")
        << QStringLiteral("PCI\\VEN_1C7E&DEV_2112") << 3102 << 2 << 512 << 256 << true;
    QTest::newRow("older PCI chip")
        << QStringLiteral("PCI\\VEN_1C7E&DEV_2101") << 3101 << 2 << 512 << 256 << false;
    QTest::newRow("PCMCIA") << kPcmcia << 3101 << 1 << 512 << 256 << false;
    QTest::newRow("USB") << kUsb << 3101 << 3 << 2048 << 1792 << false;
    QTest::newRow("lower-case bus prefix")
        << QStringLiteral("usb\\vid_1d5a&pid_3101") << 3101 << 3 << 2048 << 1792 << false;
    QTest::newRow("unknown bus") << QStringLiteral("ISA\\TOLVA") << 3101 << 1 << 0 << 0 << false;
    QTest::newRow("no backslash") << QStringLiteral("TOLVACARD") << 3101 << 1 << 0 << 0 << false;
}

void TestAdapterSelector::perAdapterValues() {
    QFETCH(QString, hardwareId);
    QFETCH(int, chip);
    QFETCH(int, bus);
    QFETCH(int, eepromLength);
    QFETCH(int, extendedOffset);
    QFETCH(bool, fullMask);
    loadWorld({{QStringLiteral("0012"), hardwareId}});
    configure(m_config, {hardwareId.toUpper()});

    selector().discover();

    const AdapterState& state = m_state;
    QCOMPARE(m_host.lines, QStringList{QStringLiteral("Tolva card 0012")});
    QCOMPARE(state.chipVersion, chip);
    QCOMPARE(state.busKind, bus);
    QCOMPARE(state.eeprom.length, eepromLength);
    QCOMPARE(state.eeprom.extendedOffset, extendedOffset);
    QCOMPARE(state.info.inUse, 1);
    QCOMPARE(QByteArray(state.info.instance), QByteArray("0012"));

    std::uint16_t expectedMask = 0xFFFF;
    if (!fullMask) {
        std::uint8_t out[2] = {};
        std::int32_t length = 2;
        expectedMask =
            QueryWL_ExtEEPROM_IDData(state.eeprom.bytes.data(), bus, 6, out, &length) == -1
                ? 0x3FFF
                : static_cast<std::uint16_t>(out[0] | out[1] << 8);
    }
    QCOMPARE(state.channelMask, expectedMask);
}

void TestAdapterSelector::unknownBusKeepsPreviousSizes() {
    loadWorld({{QStringLiteral("0001"), kUsb}, {QStringLiteral("0002"), QStringLiteral("ISA\\X")}});
    configure(m_config, {kUsb, QStringLiteral("ISA\\X")});
    AdapterSelector selector = this->selector();
    selector.discover();
    QCOMPARE(m_state.eeprom.length, 2048);

    m_host.current = 1;
    selector.select();
    QCOMPARE(m_state.busKind, 1);
    QCOMPARE(m_state.eeprom.length, 2048);
    QCOMPARE(m_state.eeprom.extendedOffset, 1792);
}

void TestAdapterSelector::registryKey_data() {
    QTest::addColumn<int>("windows95");
    QTest::addColumn<QString>("key");
    QTest::newRow("NT family") << 0
                               << QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Class\\"
                                                 "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007");
    QTest::newRow("Windows 95 family")
        << 1 << QStringLiteral("System\\CurrentControlSet\\Services\\Class\\Net\\0007");
}

void TestAdapterSelector::registryKey() {
    QFETCH(int, windows95);
    QFETCH(QString, key);
    kxsim_force("QueryWL_IsWindows95", windows95);
    QCOMPARE(AdapterSelector::registryKeyFor("0007"), key);
}

void TestAdapterSelector::firstConfiguredIdEmptyAcceptsNothing() {
    loadWorld({{QStringLiteral("0001"), kPcmcia}});
    configure(m_config, {QString(), kPcmcia});
    selector().discover();
    QVERIFY(m_list.isEmpty());
    QCOMPARE(m_host.calls, QStringList{QStringLiteral("clear")});
    QVERIFY(!callNames().contains(QStringLiteral("KxOpenAdapter")));
}

void TestAdapterSelector::matchingTwoIdsAddsTwice() {
    loadWorld({{QStringLiteral("0001"), kPcmcia}, {QStringLiteral("0002"), kUsb}});
    configure(m_config, {kPcmcia, kUsb, kPcmcia.toLower()});
    selector().discover();
    QCOMPARE(m_host.lines, (QStringList{"Tolva card 0001", "Tolva card 0001", "Tolva card 0002"}));
    QCOMPARE(m_list.size(), 3);
}

void TestAdapterSelector::cardThatDoesNotOpenIsLeftOut() {
    loadWorld({{QStringLiteral("0001"), kPcmcia, QStringLiteral("station"), false},
               {QStringLiteral("0002"), kUsb}});
    configure(m_config, {kPcmcia, kUsb});
    selector().discover();
    QCOMPARE(m_host.lines, QStringList{QStringLiteral("Tolva card 0002")});
    QCOMPARE(QByteArray(m_state.info.instance), QByteArray("0002"));
}

void TestAdapterSelector::cardWithoutIdentifierIsSkipped() {
    loadWorld({{QStringLiteral("0001"), kPcmcia}, {QStringLiteral("0002"), kUsb}});
    configure(m_config, {kPcmcia, kUsb});
    QCOMPARE(Registry::deleteValue(Hive::LocalMachine,
                                   AdapterSelector::registryKeyFor("0001").toStdString(),
                                   "MatchingDeviceId"),
             0);
    clearSimTrace();
    selector().discover();
    QCOMPARE(m_host.lines, QStringList{QStringLiteral("Tolva card 0002")});
    // The skipped card is never probed: one probe, then the selection.
    QCOMPARE(callNames().count(QStringLiteral("KxOpenAdapter")), 2);
}

void TestAdapterSelector::missingChannelDataAllowsChannelsOneToFourteen() {
    loadWorld({{QStringLiteral("0001"), kPcmcia}});
    configure(m_config, {kPcmcia});
    kxsim_force("QueryWL_ExtEEPROM_IDData", -1);
    selector().discover();
    QCOMPARE(m_state.channelMask, std::uint16_t{0x3FFF});
}

void TestAdapterSelector::elevenAdaptersGiveTenLines() {
    QList<Card> cards;
    for (int i = 0; i < 11; ++i)
        cards.append({QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), kUsb});
    loadWorld(cards);
    configure(m_config, {kUsb});
    selector().discover();
    QCOMPARE(m_list.size(), 10);
    QCOMPARE(m_host.lines.size(), 10);
    QCOMPARE(m_host.lines.last(), QStringLiteral("Tolva card 0010"));
}

void TestAdapterSelector::untrustedAdapterCount_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("more than the buffer holds") << 1000;
    QTest::newRow("negative") << -3;
}

void TestAdapterSelector::untrustedAdapterCount() {
    QFETCH(int, count);
    loadWorld({{QStringLiteral("0001"), kUsb}});
    configure(m_config, {kUsb});
    kxsim_force("CreateAllNICAdapterList", count);
    selector().discover();
    QVERIFY(m_list.size() <= 1);
}

void TestAdapterSelector::fullLengthDescription() {
    Card card{QStringLiteral("0001"), kUsb};
    card.description = QString(259, u'D'); // the whole field but its NUL
    loadWorld({card});
    configure(m_config, {kUsb});
    selector().discover();
    QCOMPARE(m_list.size(), 1);
    const WLAdapterInfo& info = m_state.info;
    QCOMPARE(QByteArray(info.description), QByteArray(259, 'D'));
    QCOMPARE(m_host.lines.first(), card.description);
}

void TestAdapterSelector::accessPointFirmware_data() {
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<int>("enableAccessPoint");
    QTest::addColumn<bool>("flagBefore");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QStringList>("hostCalls");

    const QStringList common{"clear", "opened", "zeroConfig", "layout"};
    QTest::newRow("access point, disabled: station")
        << QStringLiteral("access_point") << 0 << false << false << common;
    QTest::newRow("disabled leaves the flag as it was")
        << QStringLiteral("station") << 0 << true << true << common;
    QTest::newRow("access point, enabled")
        << QStringLiteral("access_point") << 1 << false << true
        << common + QStringList{"stationTicks", "layout", "apSettings"};
    QTest::newRow("station, enabled: ends a scan")
        << QStringLiteral("station") << 1 << true << false
        << common + QStringList{"endScan", "layout"};
}

void TestAdapterSelector::accessPointFirmware() {
    QFETCH(QString, firmware);
    QFETCH(int, enableAccessPoint);
    QFETCH(bool, flagBefore);
    QFETCH(bool, flag);
    QFETCH(QStringList, hostCalls);
    loadWorld({{QStringLiteral("0009"), kUsb, firmware}});
    configure(m_config, {kUsb}, enableAccessPoint);
    m_state.accessPointMode = flagBefore;

    selector().discover();
    QCOMPARE(m_state.accessPointMode, flag);
    QCOMPARE(m_host.calls, hostCalls);
    QCOMPARE(callNames().contains(QStringLiteral("QueryWL_FirmwareMode_STA_AP")),
             enableAccessPoint != 0);
}

void TestAdapterSelector::failedOpenAtSelectionKeepsValues() {
    loadWorld({{QStringLiteral("0001"), kPciNewer}, {QStringLiteral("0002"), kUsb}});
    configure(m_config, {kPciNewer, kUsb});
    m_config.Fail_Avoid_Count = 9;
    AdapterSelector selector = this->selector();
    selector.discover();
    const AdapterState before = m_state;
    QCOMPARE(before.info.failAvoidCount, 9);

    QCOMPARE(kxsim_set_int("0002", "opens", 0), 0);
    m_host.calls.clear();
    clearSimTrace();
    m_host.current = 1;
    selector.select();

    const AdapterState& after = m_state;
    QCOMPARE(callNames(), (QStringList{"KxCloseAdapter", "KxOpenAdapter"}));
    QVERIFY(m_host.calls.isEmpty());
    QCOMPARE(after.chipVersion, before.chipVersion);
    QCOMPARE(after.busKind, before.busKind);
    QCOMPARE(after.registryKey, before.registryKey);
    QCOMPARE(after.channelMask, before.channelMask);
    QCOMPARE(after.eeprom.length, before.eeprom.length);
    QVERIFY(after.eeprom.bytes == before.eeprom.bytes);
    // The record names the adapter the user picked, so the status ticks retry that one.
    QCOMPARE(QByteArray(after.info.instance), QByteArray("0002"));
}

void TestAdapterSelector::driverCallOrder() {
    m_config.load(TestEnv::programDir() + QStringLiteral("KXConfig.INI"));
    clearSimTrace();
    AdapterSelector selector = this->selector();
    selector.discover();
    QCOMPARE(m_list.size(), 3);
    // Each accepted card is probed (opened and closed), then line 0 is selected.
    const QStringList probe{"QueryWL_IsWindows95()", "KxOpenAdapter()", "KxCloseAdapter()"};
    const QStringList expected =
        QStringList{"CreateAllNICAdapterList(null,50)"} + probe + probe + probe +
        QStringList{"KxCloseAdapter()", "KxOpenAdapter()", "QueryWL_IsWindows95()",
                    "WL_ReadEEPROM(3101,2,null,512)", "QueryWL_FirmwareMode_STA_AP()"};
    QCOMPARE(simCalls(), expected);

    // The older chip takes its channel mask from the EEPROM just read.
    clearSimTrace();
    m_host.current = 1;
    selector.select();
    QCOMPARE(simCalls(), (QStringList{"KxCloseAdapter()", "KxOpenAdapter()",
                                      "QueryWL_IsWindows95()", "WL_ReadEEPROM(3101,1,null,512)",
                                      "QueryWL_ExtEEPROM_IDData(null,1,6,null,2)",
                                      "QueryWL_FirmwareMode_STA_AP()"}));
}

QTEST_GUILESS_MAIN(TestAdapterSelector)
#include "test_adapterselector.moc"
