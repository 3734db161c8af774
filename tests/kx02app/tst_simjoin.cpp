// Joining networks, link status, link quality and counters of the simulated adapters.
#include <QTest>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

std::array<std::uint8_t, 13> keyBytes(const QByteArray& hex) {
    std::array<std::uint8_t, 13> key{};
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.begin(), bytes.end(), key.begin());
    return key;
}

std::string currentSsid(SimRecord& r) {
    char buffer[WL_SSID_BUFFER_MIN] = {};
    return QueryWL_CurrentSSID(r.get(), buffer) == 0 ? buffer : "<none>";
}

std::string bssid(SimRecord& r) {
    char buffer[WL_BSSID_TEXT_BUFFER_MIN] = {};
    return QueryWL_BSSID(r.get(), buffer) == 0 ? buffer : "<none>";
}

const char* kTwins = R"({"networks": [
  {"ssid": "Twin", "bssid": "00:0A:00:00:00:01", "channel": 1, "signal": 30, "quality": 50},
  {"ssid": "Twin", "bssid": "00:0A:00:00:00:02", "channel": 11, "signal": 70, "quality": 50}]})";

} // namespace

class TestSimJoin : public QObject {
    Q_OBJECT

private slots:
    void firstOpenJoinsTheStrongestOpenNetwork();
    void join_data();
    void join();
    void desiredBssidNarrowsUntilAnotherSsid();
    void changedSsidJoinsAgain();
    void linkQuality_data();
    void linkQuality();
    void linkQualityFailsWithoutLink();
    void countersGrowWhileLinkedAndReset();
    void jitterIsRepeatable();
};

void TestSimJoin::firstOpenJoinsTheStrongestOpenNetwork() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(r.opened, 1);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    QCOMPARE(QueryWL_Channel(r.get()), -1);
    kxsim_advance(1499);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    kxsim_advance(1);
    QCOMPARE(QueryWL_PortStatus(r.get()), 4);
    QCOMPARE(QueryWL_Channel(r.get()), 6);
    QCOMPARE(currentSsid(r), std::string("TolvaNet"));
    QCOMPARE(bssid(r), std::string("00:0A:1B:2C:3D:4E"));
    QCOMPARE(QueryWL_CurrentTxRate(r.get()), 8);
    QCOMPARE(simText("0007", "joined"), std::string("TolvaNet"));
}

void TestSimJoin::join_data() {
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<int>("wep");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<int>("channel");

    const QString pci = kPciName, card = kCardName;
    QTest::newRow("open network by name") << pci << 1 << QByteArray("TolvaNet") << 0 << QByteArray()
                                          << 4 << QByteArray("TolvaNet") << 6;
    QTest::newRow("64-bit key matches")
        << pci << 1 << QByteArray("HomeWEP64") << 1 << QByteArray("1234567890") << 4
        << QByteArray("HomeWEP64") << 1;
    QTest::newRow("64-bit key differs")
        << pci << 1 << QByteArray("HomeWEP64") << 1 << QByteArray("1234567891") << 2
        << QByteArray("<none>") << -1;
    QTest::newRow("keyed network, WEP off")
        << pci << 1 << QByteArray("HomeWEP64") << 0 << QByteArray("1234567890") << 2
        << QByteArray("<none>") << -1;
    QTest::newRow("open network, WEP on")
        << pci << 1 << QByteArray("TolvaNet") << 1 << QByteArray("1234567890") << 2
        << QByteArray("<none>") << -1;
    QTest::newRow("128-bit key matches")
        << pci << 1 << QByteArray("Office128") << 1 << QByteArray("0123456789ABCDEF0123456789") << 4
        << QByteArray("Office128") << 11;
    QTest::newRow("nothing in range") << pci << 1 << QByteArray("Nowhere") << 0 << QByteArray() << 2
                                      << QByteArray("<none>") << -1;
    QTest::newRow("channel 13 allowed") << pci << 1 << QByteArray("FarAway") << 0 << QByteArray()
                                        << 4 << QByteArray("FarAway") << 13;
    QTest::newRow("channel 13 outside the card's mask")
        << card << 1 << QByteArray("FarAway") << 0 << QByteArray() << 2 << QByteArray("<none>")
        << -1;
    QTest::newRow("ad hoc joins the network in range")
        << pci << 0 << QByteArray("PlayRoom") << 0 << QByteArray() << 3 << QByteArray("PlayRoom")
        << 3;
    QTest::newRow("ad hoc starts its own")
        << pci << 0 << QByteArray("MyOwn") << 0 << QByteArray() << 3 << QByteArray("MyOwn") << 6;
    QTest::newRow("ad hoc ignores infrastructure names")
        << pci << 0 << QByteArray("TolvaNet") << 0 << QByteArray() << 3 << QByteArray("TolvaNet")
        << 6;
    QTest::newRow("pseudo IBSS") << pci << 3 << QByteArray("Alone") << 0 << QByteArray() << 9
                                 << QByteArray("Alone") << 6;
}

void TestSimJoin::join() {
    QFETCH(QString, adapter);
    QFETCH(int, type);
    QFETCH(QByteArray, ssid);
    QFETCH(int, wep);
    QFETCH(QByteArray, key);
    QFETCH(int, status);
    QFETCH(QByteArray, current);
    QFETCH(int, channel);
    TestEnv env;
    SimRecord r(adapter.toLatin1().constData());
    QCOMPARE(SetWL_NetworkType(r.get(), type), 0);
    if (!key.isEmpty())
        QCOMPARE(SetWL_WriteKey(r.get(), 0, key.size() == 26 ? 1 : 0, 1, keyBytes(key).data()), 0);
    QCOMPARE(SetWL_WEPStatus(r.get(), wep), 0);
    QCOMPARE(SetWL_SSID(r.get(), ssid.constData()), 0);
    QCOMPARE(SetWL_RestartNIC(r.get()), 0);
    kxsim_advance(1000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    kxsim_advance(1000);
    QCOMPARE(QueryWL_PortStatus(r.get()), status);
    QCOMPARE(currentSsid(r), current.toStdString());
    QCOMPARE(QueryWL_Channel(r.get()), channel);
}

void TestSimJoin::desiredBssidNarrowsUntilAnotherSsid() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(kTwins), 0);
    kxsim_set_manual_clock(1);
    SimRecord r;
    const std::uint8_t weaker[6] = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x01};
    QCOMPARE(SetWL_DesiredBSSID(r.get(), weaker), 0);
    QCOMPARE(SetWL_SSID(r.get(), "Twin"), 0);
    QCOMPARE(SetWL_RestartNIC(r.get()), 0);
    kxsim_advance(2000);
    QCOMPARE(bssid(r), std::string("00:0A:00:00:00:01"));
    QCOMPARE(QueryWL_Channel(r.get()), 1);

    // A later SSID without a new BSSID takes any network of that name again.
    QCOMPARE(SetWL_SSID(r.get(), "Twin"), 0);
    QCOMPARE(SetWL_RestartNIC(r.get()), 0);
    kxsim_advance(2000);
    QCOMPARE(bssid(r), std::string("00:0A:00:00:00:02"));

    const std::uint8_t absent[6] = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x09};
    QCOMPARE(SetWL_DesiredBSSID(r.get(), absent), 0);
    QCOMPARE(SetWL_RestartNIC(r.get()), 0);
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
}

void TestSimJoin::changedSsidJoinsAgain() {
    TestEnv env;
    SimRecord r;
    kxsim_advance(2000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 4);
    const std::int64_t joins = simInt("0007", "join_count");
    QCOMPARE(SetWL_SSID(r.get(), "FarAway"), 0);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    QCOMPARE(simInt("0007", "join_count"), joins + 1);
    QCOMPARE(simInt("0007", "restart_count"), 0);
    kxsim_advance(1500);
    QCOMPARE(currentSsid(r), std::string("FarAway"));
    // The weak network gets a slower automatic rate.
    QCOMPARE(QueryWL_CurrentTxRate(r.get()), 2);
    // The same SSID again does not disturb the link.
    QCOMPARE(SetWL_SSID(r.get(), "FarAway"), 0);
    QCOMPARE(QueryWL_PortStatus(r.get()), 4);
}

void TestSimJoin::linkQuality_data() {
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<int>("rawQuality");
    // TolvaNet has goodness 90; the older chip reads quality the other way round.
    QTest::newRow("newer chip") << QString(kPciName) << 90;
    QTest::newRow("older chip") << QString(kCardName) << 10;
}

void TestSimJoin::linkQuality() {
    QFETCH(QString, adapter);
    QFETCH(int, rawQuality);
    TestEnv env;
    SimRecord r(adapter.toLatin1().constData());
    kxsim_advance(2000);
    for (int i = 0; i < 20; ++i) {
        std::int32_t sum = -1, signal = -1, packets = -1;
        QCOMPARE(QueryWL_CQSLCurrBSS(r.get(), &sum, &signal, &packets), 0);
        QVERIFY(packets >= 1 && packets <= 10);
        QCOMPARE(sum % packets, 0);
        QVERIFY(qAbs(sum / packets - rawQuality) <= 2);
        QVERIFY(qAbs(signal - 82) <= 3);
    }
    QCOMPARE(kxsim_set_int(nullptr, "cqsl_packets", 4), 0);
    std::int32_t sum = 0, signal = 0, packets = 0;
    QCOMPARE(QueryWL_CQSLCurrBSS(r.get(), &sum, &signal, &packets), 0);
    QCOMPARE(packets, 4);
    QCOMPARE(simInt(nullptr, "cqsl_packets"), 4);
}

void TestSimJoin::linkQualityFailsWithoutLink() {
    TestEnv env;
    SimRecord r;
    std::int32_t sum = -7, signal = -7, packets = -7;
    QVERIFY(QueryWL_CQSLCurrBSS(r.get(), &sum, &signal, &packets) != 0);
    QCOMPARE(packets, -7);
    kxsim_advance(2000);
    QCOMPARE(QueryWL_CQSLCurrBSS(r.get(), nullptr, &signal, &packets), -1);
}

void TestSimJoin::countersGrowWhileLinkedAndReset() {
    TestEnv env;
    SimRecord r;
    std::uint32_t frames[2] = {99, 99};
    kxsim_advance(1500);
    QCOMPARE(GetTxRxFrameCount(r.get(), frames), 0);
    QCOMPARE(frames[0], 0u);
    kxsim_advance(10000);
    QCOMPARE(GetTxRxFrameCount(r.get(), frames), 0);
    QCOMPARE(frames[0], 120u); // 12 frames a second
    QCOMPARE(frames[1], 300u); // 30 frames a second
    std::uint8_t tally[WL_TALLY_BYTES];
    QCOMPARE(GetNICAdapterTally(r.get(), tally), 0);
    std::uint64_t rxUnicast = 0;
    std::memcpy(&rxUnicast, tally + 80, 8);
    QCOMPARE(rxUnicast, 255u);

    QCOMPARE(SetWL_ResetTallyData(r.get()), 0);
    QCOMPARE(GetTxRxFrameCount(r.get(), frames), 0);
    QCOMPARE(frames[0], 0u);
    QCOMPARE(frames[1], 0u);
    QCOMPARE(GetNICAdapterTally(r.get(), tally), 0);
    QVERIFY(std::all_of(std::begin(tally), std::end(tally), [](std::uint8_t b) { return b == 0; }));

    // No link, no traffic.
    QCOMPARE(SetWL_SSID(r.get(), "Nowhere"), 0);
    kxsim_advance(10000);
    QCOMPARE(GetTxRxFrameCount(r.get(), frames), 0);
    QVERIFY(frames[1] <= 1);
}

void TestSimJoin::jitterIsRepeatable() {
    std::vector<std::int32_t> runs[2];
    for (auto& run : runs) {
        TestEnv env;
        SimRecord r;
        kxsim_advance(2000);
        for (int i = 0; i < 5; ++i) {
            std::int32_t sum = 0, signal = 0, packets = 0;
            QueryWL_CQSLCurrBSS(r.get(), &sum, &signal, &packets);
            run.insert(run.end(), {sum, signal, packets});
        }
    }
    QCOMPARE(runs[0], runs[1]);
}

QTEST_GUILESS_MAIN(TestSimJoin)
#include "tst_simjoin.moc"
