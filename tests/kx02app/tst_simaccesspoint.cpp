// The access point the simulated access-point firmware runs: what stations of the same
// world hear and join, whom its filter lets in, and what it keeps across processes.
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
    const std::int32_t count = WL_RetrieveSiteSurveyData(station.get(), &survey, 20);
    for (std::int32_t i = 0; i < count; ++i) {
        if (std::memcmp(survey.records[i].bssid, kApMac, sizeof kApMac) == 0)
            return survey.records[i];
    }
    return std::nullopt;
}

QList<QByteArray> stationsOf(SimRecord& ap) {
    std::uint8_t buffer[WL_STATION_LIST_BYTES] = {};
    const std::int32_t count = WL_RetrieveStationList(ap.get(), buffer, sizeof buffer);
    QList<QByteArray> stations;
    for (std::int32_t i = 0; i < count; ++i)
        stations << QByteArray(reinterpret_cast<const char*>(buffer + 7 * i + 1), 6).toHex();
    return stations;
}

std::string apSsid(SimRecord& ap) {
    char ssid[WL_SSID_BUFFER_MIN] = {};
    return QueryWLAP_SSID(ap.get(), ssid) == 0 ? ssid : "<failed>";
}

// What the program's SSID resend writes.
void resendSsid(SimRecord& ap, const QByteArray& ssid) {
    std::uint8_t block[36] = {static_cast<std::uint8_t>(ssid.size())};
    std::memcpy(block + 4, ssid.constData(), static_cast<std::size_t>(ssid.size()));
    QCOMPARE(WriteOid(ap.get(), WL_OID_AP_SSID, block, sizeof block), 0);
}

void useKey(SimRecord& adapter, const QByteArray& hex) {
    std::uint8_t bytes[13] = {};
    const QByteArray key = QByteArray::fromHex(hex);
    std::memcpy(bytes, key.constData(), static_cast<std::size_t>(key.size()));
    QCOMPARE(SetWL_WriteKey(adapter.get(), 0, key.size() == 13 ? 1 : 0, 1, bytes), 0);
    QCOMPARE(SetWL_WEPStatus(adapter.get(), 1), 0);
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
};

void TestSimAccessPoint::stationsHearTheAccessPoint() {
    TestEnv env;
    SimRecord station;
    QVERIFY(!heardAccessPoint(station)); // its driver has not started
    SimRecord ap(kUsbName);
    kxsim_advance(kJoinMs);
    std::optional<WLSurveyRecord> heard = heardAccessPoint(station);
    QVERIFY(heard);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(heard->ssid), int(heard->ssidLength)),
             QByteArray("TolvaAP"));
    QCOMPARE(heard->frequencyKHz, 2437000u);
    QCOMPARE(heard->privacy, 0u);
    QVERIFY(qAbs(heard->signal - 70) <= 2);
    QVERIFY(!heardAccessPoint(ap)); // not itself

    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 1), 0);
    QCOMPARE(heardAccessPoint(station)->ssidLength, 0u);
    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 0), 0);
    resendSsid(ap, "Upstairs");
    QCOMPARE(heardAccessPoint(station)->ssidLength, 8u);
    QCOMPARE(SetWL_Channel(ap.get(), 14), 0);
    QCOMPARE(heardAccessPoint(station)->frequencyKHz, 2484000u);
    useKey(ap, "1234567890");
    QCOMPARE(heardAccessPoint(station)->privacy, 1u);
    QCOMPARE(SetWL_RestartNIC(ap.get()), 0);
    QVERIFY(!heardAccessPoint(station));
}

void TestSimAccessPoint::joinNeeds_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<int>("apChannel");
    QTest::addColumn<QByteArray>("apKey");
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("status");
    const QString pci = kPciName, card = kCardName;
    const QByteArray none, ap = "TolvaAP", key = "1234567890";
    QTest::newRow("by name, channel 13") << pci << 13 << none << ap << none << 4;
    QTest::newRow("other name") << pci << 6 << none << QByteArray("TolvaAp") << none << 2;
    QTest::newRow("channel 13, card of 1-11") << card << 13 << none << ap << none << 2;
    QTest::newRow("same key") << pci << 6 << key << ap << key << 4;
    QTest::newRow("other key") << pci << 6 << key << ap << QByteArray("1234567891") << 2;
    QTest::newRow("station without WEP") << pci << 6 << key << ap << none << 2;
}

void TestSimAccessPoint::joinNeeds() {
    QFETCH(QString, station);
    QFETCH(int, apChannel);
    QFETCH(QByteArray, apKey);
    QFETCH(QByteArray, ssid);
    QFETCH(QByteArray, key);
    QFETCH(int, status);
    TestEnv env;
    SimRecord ap(kUsbName);
    QCOMPARE(SetWL_Channel(ap.get(), apChannel), 0);
    QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 1), 0); // known by name, it is joined all the same
    if (!apKey.isEmpty())
        useKey(ap, apKey);
    SimRecord s(station.toLatin1().constData());
    if (!key.isEmpty())
        useKey(s, key);
    QCOMPARE(SetWL_SSID(s.get(), ssid.constData()), 0);
    kxsim_advance(kJoinMs); // the access point comes up; the station notices and joins
    kxsim_advance(kJoinMs);
    QCOMPARE(QueryWL_PortStatus(s.get()), status);
    QCOMPARE(QueryWL_Channel(s.get()), status == 4 ? apChannel : -1);
}

void TestSimAccessPoint::stationFollowsTheAccessPoint() {
    TestEnv env;
    SimRecord ap(kUsbName);
    SimRecord station;
    QCOMPARE(SetWL_SSID(station.get(), "TolvaAP"), 0);
    kxsim_advance(kJoinMs);
    kxsim_advance(kJoinMs);
    const QByteArray me = "001c7e210207";
    QCOMPARE(stationsOf(ap), (QList<QByteArray>{"00163e112233", "00163e445566", me}));

    // Moved, the access point is lost for a while and found again.
    QCOMPARE(SetWL_Channel(ap.get(), 11), 0);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    QCOMPARE(stationsOf(ap).size(), 2);
    kxsim_advance(kJoinMs);
    QCOMPARE(QueryWL_Channel(station.get()), 11);

    // Its filter turns the station away, and takes it back.
    const std::uint8_t table[WL_FILTER_TABLE_BYTES] = {1, 0x00, 0x1C, 0x7E, 0x21, 0x02, 0x07};
    QCOMPARE(SetWLAP_FilterList(ap.get(), table, sizeof table), 0);
    QCOMPARE(SetWLAP_FilterMode(ap.get(), 2), 0);
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
    QCOMPARE(stationsOf(ap), (QList<QByteArray>{"00163e112233", "00163e445566"}));
    QCOMPARE(SetWLAP_FilterMode(ap.get(), 1), 0);
    kxsim_advance(kJoinMs);
    QCOMPARE(stationsOf(ap), QList<QByteArray>{me});

    // Renamed, it is another network.
    resendSsid(ap, "Elsewhere");
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(station.get()), 2);
}

void TestSimAccessPoint::accessPointKeepsItsSettings() {
    TestEnv env;
    const std::uint8_t table[WL_FILTER_TABLE_BYTES] = {0, 0,    0,    0,    0,    0,    0,
                                                       1, 0x00, 0x16, 0x3E, 0x44, 0x55, 0x66};
    {
        SimRecord ap(kUsbName);
        QCOMPARE(SetWLAP_SSID(ap.get(), "Caf\xE9"), 0); // single bytes, not UTF-8
        QCOMPARE(SetWLAP_HideSSIDState(ap.get(), 1), 0);
        QCOMPARE(SetWLAP_TxPowerLevel(ap.get(), 2), 0);
        QCOMPARE(SetWL_BasicRate(ap.get(), 8), 0);
        QCOMPARE(SetWLAP_FragmentationThreshold(ap.get(), 1024), 0);
        useKey(ap, "0123456789ABCDEF0123456789");
        QCOMPARE(SetWLAP_FilterList(ap.get(), table, sizeof table), 0);
        QCOMPARE(SetWLAP_FilterMode(ap.get(), 2), 0);
        SimRecord station;
        QCOMPARE(SetWL_BasicRate(station.get(), 8), 0);
    }
    // What the program recorded wins over the access point's memory.
    const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Class\\"
                            "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0009";
    QCOMPARE(kx::Registry::writeString(kx::Hive::LocalMachine, key, "FragmentThreshold", "512"), 0);
    kxsim_reset(); // the next process
    SimRecord ap(kUsbName);
    QCOMPARE(apSsid(ap), std::string("Caf\xE9"));
    QCOMPARE(QueryWLAP_HideSSIDState(ap.get()), 1);
    QCOMPARE(QueryWLAP_TxPowerLevel(ap.get()), 2);
    QCOMPARE(QueryWL_BasicRate(ap.get()), 8);
    QCOMPARE(QueryWLAP_FragmentationThreshold(ap.get()), 512);
    QCOMPARE(simText("0009", "wep_key0"), std::string("0123456789ABCDEF0123456789"));
    QCOMPARE(stationsOf(ap), QList<QByteArray>{"00163e112233"});
    SimRecord station; // a station's settings are the registry's business alone
    QCOMPARE(QueryWL_BasicRate(station.get()), 3);
}

QTEST_GUILESS_MAIN(TestSimAccessPoint)
#include "tst_simaccesspoint.moc"
