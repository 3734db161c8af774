// The access point the simulated access-point firmware runs: what stations of the same
// world hear and join, whom its filter lets in, and what it keeps across processes.
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <optional>

#include "kx02app/kxsim.h"
#include "platform/Registry.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

constexpr std::uint8_t kApMac[6] = {0x00, 0x1C, 0x7E, 0x31, 0x01, 0x09};
constexpr std::int32_t kJoinMs = 1500;

std::optional<WLSurveyRecord> heardAccessPoint(SimRecord& station) {
    WLSurveyBuffer survey{};
    const std::int32_t count =
        WL_RetrieveSiteSurveyData(station.get(), &survey, WL_SURVEY_MAX_RECORDS);
    for (std::int32_t i = 0; i < count; ++i) {
        if (std::memcmp(survey.records[i].bssid, kApMac, sizeof kApMac) == 0)
            return survey.records[i];
    }
    return std::nullopt;
}

QByteArray ssidOf(const WLSurveyRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.ssid), int(record.ssidLength));
}

QList<QByteArray> stationsOf(SimRecord& ap) {
    std::uint8_t buffer[WL_STATION_LIST_BYTES] = {};
    const std::int32_t count = WL_RetrieveStationList(ap.get(), buffer, sizeof buffer);
    QList<QByteArray> stations;
    for (std::int32_t i = 0; i < count; ++i)
        stations << QByteArray(reinterpret_cast<const char*>(buffer + 7 * i + 1), 6).toHex();
    return stations;
}

// What the program's SSID resend writes.
void resendSsid(SimRecord& ap, const QByteArray& ssid) {
    std::uint8_t block[36] = {static_cast<std::uint8_t>(ssid.size())};
    std::memcpy(block + 4, ssid.constData(), static_cast<std::size_t>(ssid.size()));
    QCOMPARE(WriteOid(ap.get(), WL_OID_AP_SSID, block, sizeof block), 0);
}

void useKey(SimRecord& adapter, const QByteArray& hex) {
    const QByteArray key = QByteArray::fromHex(hex);
    std::uint8_t bytes[13] = {};
    std::memcpy(bytes, key.constData(), static_cast<std::size_t>(key.size()));
    QCOMPARE(SetWL_WriteKey(adapter.get(), 0, key.size() == 13 ? 1 : 0, 1, bytes), 0);
    QCOMPARE(SetWL_WEPStatus(adapter.get(), 1), 0);
}

void record(const char* name, const char* text) {
    const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Class\\"
                            "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0009";
    QCOMPARE(kx::Registry::writeString(kx::Hive::LocalMachine, key, name, text), 0);
}

} // namespace

class TestSimAccessPoint : public QObject {
    Q_OBJECT

private slots:
    void stationsHearTheAccessPoint();
    void joinNeeds_data();
    void joinNeeds();
    void stationFollowsTheAccessPoint();
    void accessPointKeepsItsSettings();
    void recordedSsidAndFragmentationWinAtStart();
    void damagedMemoryKeepsTheDefaults();
    void scenarioSetsHowItIsHeard();
};

void TestSimAccessPoint::stationsHearTheAccessPoint() {
    TestEnv env;
    SimRecord station;
    // Its driver has not started yet: silent.
    QVERIFY(!heardAccessPoint(station));
    SimRecord ap(kUsbName);
    QVERIFY(!heardAccessPoint(station));
    kxsim_advance(kJoinMs);
    std::optional<WLSurveyRecord> heard = heardAccessPoint(station);
    QVERIFY(heard);
    QCOMPARE(ssidOf(*heard), QByteArray("TolvaAP"));
    QCOMPARE(heard->frequencyKHz, 2437000u);
    QCOMPARE(heard->privacy, 0u);
    QCOMPARE(heard->infrastructureMode, 1u);
    QVERIFY(qAbs(heard->signal - 70) <= 2);
    // It does not hear itself.
    WLSurveyBuffer own{};
    QCOMPARE(WL_RetrieveSiteSurveyData(ap.get(), &own, WL_SURVEY_MAX_RECORDS), 6);

    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 1), 0);
    heard = heardAccessPoint(station);
    QVERIFY(heard);
    QCOMPARE(heard->ssidLength, 0u);
    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 0), 0);

    resendSsid(ap, "Upstairs");
    QCOMPARE(ssidOf(*heardAccessPoint(station)), QByteArray("Upstairs"));
    QCOMPARE(SetWL_Channel(ap.get(), 14), 0);
    QCOMPARE(heardAccessPoint(station)->frequencyKHz, 2484000u);
    useKey(ap, "1234567890");
    QCOMPARE(heardAccessPoint(station)->privacy, 1u);

    // A restart takes it off the air until it is up again.
    QCOMPARE(SetWL_RestartNIC(ap.get()), 0);
    QVERIFY(!heardAccessPoint(station));
}

void TestSimAccessPoint::joinNeeds_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<int>("apChannel");
    QTest::addColumn<QByteArray>("apKey");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("status");
    const QString pci = kPciName, card = kCardName;
    const QByteArray none, ap = "TolvaAP", key64 = "1234567890";
    QTest::newRow("open, by name") << pci << 6 << none << 0 << ap << none << 4;
    QTest::newRow("hidden, by name") << pci << 6 << none << 1 << ap << none << 4;
    QTest::newRow("other name") << pci << 6 << none << 0 << QByteArray("TolvaAp") << none << 2;
    QTest::newRow("channel 13") << pci << 13 << none << 0 << ap << none << 4;
    QTest::newRow("channel 13 outside the card's mask")
        << card << 13 << none << 0 << ap << none << 2;
    QTest::newRow("same key") << pci << 6 << key64 << 0 << ap << key64 << 4;
    QTest::newRow("other key") << pci << 6 << key64 << 0 << ap << QByteArray("1234567891") << 2;
    QTest::newRow("station without WEP") << pci << 6 << key64 << 0 << ap << none << 2;
    QTest::newRow("access point without WEP") << pci << 6 << none << 0 << ap << key64 << 2;
}

void TestSimAccessPoint::joinNeeds() {
    QFETCH(QString, station);
    QFETCH(int, apChannel);
    QFETCH(QByteArray, apKey);
    QFETCH(int, hidden);
    QFETCH(QByteArray, ssid);
    QFETCH(QByteArray, key);
    QFETCH(int, status);
    TestEnv env;
    SimRecord ap(kUsbName);
    QCOMPARE(SetWL_Channel(ap.get(), apChannel), 0);
    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), hidden), 0);
    if (!apKey.isEmpty())
        useKey(ap, apKey);
    kxsim_advance(kJoinMs);

    SimRecord s(station.toLatin1().constData());
    if (!key.isEmpty())
        useKey(s, key);
    QCOMPARE(SetWL_SSID(s.get(), ssid.constData()), 0);
    kxsim_advance(kJoinMs);
    QCOMPARE(QueryWL_PortStatus(s.get()), status);
    if (status == 4) {
        QCOMPARE(QueryWL_Channel(s.get()), apChannel);
        char bssid[WL_BSSID_TEXT_BUFFER_MIN] = {};
        QCOMPARE(QueryWL_BSSID(s.get(), bssid), 0);
        QCOMPARE(std::string(bssid), std::string("00:1C:7E:31:01:09"));
    }
}

void TestSimAccessPoint::stationFollowsTheAccessPoint() {
    TestEnv env;
    SimRecord ap(kUsbName);
    SimRecord station;
    kxsim_advance(kJoinMs);
    QCOMPARE(SetWL_SSID(station.get(), "TolvaAP"), 0);
    kxsim_advance(kJoinMs);
    QCOMPARE(QueryWL_PortStatus(station.get()), 4);
    const QByteArray me = "001c7e210207";
    QCOMPARE(stationsOf(ap), (QList<QByteArray>{"00163e112233", "00163e445566", me}));

    // The access point moves: the station loses it and finds it again.
    QCOMPARE(SetWL_Channel(ap.get(), 11), 0);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    QVERIFY(!stationsOf(ap).contains(me));
    kxsim_advance(kJoinMs);
    QCOMPARE(QueryWL_PortStatus(station.get()), 4);
    QCOMPARE(QueryWL_Channel(station.get()), 11);

    // Its filter turns the station away, and takes it back.
    std::uint8_t table[WL_FILTER_TABLE_BYTES] = {0, 0,    0,    0,    0,    0,    0,
                                                 1, 0x00, 0x1C, 0x7E, 0x21, 0x02, 0x07};
    QCOMPARE(SetWLAP_FilterList(ap.get(), table, sizeof table), 0);
    QCOMPARE(SetWLAP_FilterMode(ap.get(), 2), 0);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    QCOMPARE(stationsOf(ap), (QList<QByteArray>{"00163e112233", "00163e445566"}));
    QCOMPARE(SetWLAP_FilterMode(ap.get(), 1), 0);
    QCOMPARE(stationsOf(ap), QList<QByteArray>{});
    kxsim_advance(kJoinMs);
    QCOMPARE(stationsOf(ap), QList<QByteArray>{me});
    QCOMPARE(SetWLAP_FilterMode(ap.get(), 0), 0);
    QCOMPARE(stationsOf(ap).size(), 3);

    // Renamed, it is another network: the station searches on.
    resendSsid(ap, "Elsewhere");
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    QCOMPARE(stationsOf(ap).size(), 2);
}

void TestSimAccessPoint::accessPointKeepsItsSettings() {
    TestEnv env;
    {
        SimRecord ap(kUsbName);
        QCOMPARE(SetWLAP_SSID(ap.get(), "Kept\xE9"), 0);
        QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 1), 0);
        QCOMPARE(SetWLAP_TxPowerLevel(ap.get(), 2), 0);
        QCOMPARE(SetWL_BasicRate(ap.get(), 8), 0);
        QCOMPARE(SetWL_Channel(ap.get(), 11), 0);
        QCOMPARE(SetWLAP_FragmentationThreshold(ap.get(), 1024), 0);
        QCOMPARE(SetWLAP_RTS_CTS_Threshold(ap.get(), 512), 0);
        QCOMPARE(SetWL_PreambleMode(ap.get(), 2), 0);
        QCOMPARE(SetWL_AuthenticationMode(ap.get(), 2), 0);
        useKey(ap, "0123456789ABCDEF0123456789");
        QCOMPARE(SetWLAP_FilterMode(ap.get(), 2), 0);
        std::uint8_t table[WL_FILTER_TABLE_BYTES] = {};
        const std::uint8_t entry3[7] = {1, 0x00, 0x16, 0x3E, 0x44, 0x55, 0x66};
        std::memcpy(table + 21, entry3, sizeof entry3);
        QCOMPARE(SetWLAP_FilterList(ap.get(), table, sizeof table), 0);
        SimRecord station;
        QCOMPARE(SetWL_BasicRate(station.get(), 8), 0);
    }
    kxsim_reset(); // the next process
    SimRecord ap(kUsbName);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    QCOMPARE(QueryWLAP_SSID(ap.get(), ssid), 0);
    QCOMPARE(std::string(ssid), std::string("Kept\xE9"));
    QCOMPARE(QueryWLAP_HideSSIDState(ap.get()), 1);
    QCOMPARE(QueryWLAP_TxPowerLevel(ap.get()), 2);
    QCOMPARE(QueryWL_BasicRate(ap.get()), 8);
    QCOMPARE(QueryWL_DesiredChannel(ap.get()), 11);
    QCOMPARE(QueryWLAP_FragmentationThreshold(ap.get()), 1024);
    QCOMPARE(QueryWLAP_RTS_CTS_Threshold(ap.get()), 512);
    QCOMPARE(QueryWL_PreambleMode(ap.get()), 2);
    QCOMPARE(QueryWL_AuthenticationMode(ap.get()), 2);
    QCOMPARE(QueryWL_WEPStatus(ap.get()), 1);
    QCOMPARE(QueryWL_WEPbit(ap.get()), 1);
    QCOMPARE(simText("0009", "wep_key0"), std::string("0123456789ABCDEF0123456789"));
    QCOMPARE(QueryWLAP_FilterMode(ap.get()), 2);
    std::uint8_t table[WL_FILTER_TABLE_BYTES] = {};
    QCOMPARE(QueryWLAP_FilterList(ap.get(), table, sizeof table), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(table + 21), 7).toHex(),
             QByteArray("0100163e445566"));
    QCOMPARE(stationsOf(ap), QList<QByteArray>{"00163e112233"});
    // A station's settings are the registry's business alone.
    SimRecord station;
    QCOMPARE(QueryWL_BasicRate(station.get()), 3);
}

void TestSimAccessPoint::recordedSsidAndFragmentationWinAtStart() {
    TestEnv env;
    {
        SimRecord ap(kUsbName);
        QCOMPARE(SetWLAP_SSID(ap.get(), "Remembered"), 0);
        QCOMPARE(SetWLAP_FragmentationThreshold(ap.get(), 1024), 0);
    }
    record("SSID", "Recorded");
    record("FragmentThreshold", "512");
    kxsim_reset();
    SimRecord ap(kUsbName);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    QCOMPARE(QueryWLAP_SSID(ap.get(), ssid), 0);
    QCOMPARE(std::string(ssid), std::string("Recorded"));
    QCOMPARE(QueryWLAP_FragmentationThreshold(ap.get()), 512);
}

void TestSimAccessPoint::damagedMemoryKeepsTheDefaults() {
    TestEnv env;
    QVERIFY(QDir().mkpath(env.path() + "/state"));
    QFile memory(env.path() + "/state/accesspoint-0009.json");
    QVERIFY(memory.open(QIODevice::WriteOnly));
    memory.write(R"({"ssid": "4E6577", "settings": {"desired_channel": 15, "ap_tx_power": 2},
                     "keys": ["XYZ"], "filter": "0102"})");
    memory.close();
    kxsim_reset();
    SimRecord ap(kUsbName);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    QCOMPARE(QueryWLAP_SSID(ap.get(), ssid), 0);
    QCOMPARE(std::string(ssid), std::string("New"));
    QCOMPARE(QueryWLAP_TxPowerLevel(ap.get()), 2);
    QCOMPARE(QueryWL_DesiredChannel(ap.get()), 6);
    QCOMPARE(stationsOf(ap).size(), 2);

    QVERIFY(memory.open(QIODevice::WriteOnly | QIODevice::Truncate));
    memory.write("not json");
    memory.close();
    kxsim_reset();
    SimRecord again(kUsbName);
    QCOMPARE(QueryWLAP_SSID(again.get(), ssid), 0);
    QCOMPARE(std::string(ssid), std::string("TolvaAP"));
}

void TestSimAccessPoint::scenarioSetsHowItIsHeard() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(R"({"networks": [], "adapters": [
        {"name": "Desk", "instance": "0201", "hardware_id": "PCI\\VEN_1C7E&DEV_2102",
         "mac": "00:16:3E:AA:BB:CC"},
        {"name": "Hall", "instance": "0202", "hardware_id": "USB\\VID_1D5A&PID_3101",
         "mac": "00:1C:7E:31:01:09", "firmware": "access_point", "ap_ssid": "Hall",
         "ap_signal": 20, "ap_quality": 30}]})"),
             0);
    SimRecord hall("Hall");
    SimRecord desk("Desk");
    kxsim_advance(kJoinMs);
    const std::optional<WLSurveyRecord> heard = heardAccessPoint(desk);
    QVERIFY(heard);
    QVERIFY(qAbs(heard->signal - 20) <= 2);
    QCOMPARE(SetWL_SSID(desk.get(), "Hall"), 0);
    kxsim_advance(kJoinMs);
    std::int32_t sum = 0, signal = 0, packets = 0;
    QCOMPARE(QueryWL_CQSLCurrBSS(desk.get(), &sum, &signal, &packets), 0);
    QVERIFY(qAbs(sum / packets - 30) <= 2);

    QCOMPARE(kxsim_load_scenario(R"({"adapters": [{"name": "Hall", "instance": "0202",
        "hardware_id": "USB\\X", "ap_signal": 101}]})"),
             -1);
}

QTEST_GUILESS_MAIN(TestSimAccessPoint)
#include "tst_simaccesspoint.moc"
