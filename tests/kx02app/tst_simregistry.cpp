// The simulated driver's class keys: installation, and the settings read at start.
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

#include "kx02app/kxsim.h"
#include "platform/Registry.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;
using kx::Hive;
using kx::Registry;

namespace {

std::string key(const char* instance) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\"
                       "{4D36E972-E325-11CE-BFC1-08002BE10318}\\") +
           instance;
}

std::string read(const char* instance, const char* name) {
    std::string value;
    return Registry::readString(Hive::LocalMachine, key(instance), name, value) == 0 ? value
                                                                                     : "<missing>";
}

void write(const char* instance, const char* name, const char* text) {
    QCOMPARE(Registry::writeString(Hive::LocalMachine, key(instance), name, text), 0);
}

} // namespace

class TestSimRegistry : public QObject {
    Q_OBJECT

private slots:
    void installsEveryAdapterKey();
    void installationTouchesNothingElse();
    void startReadsRecordedSettings_data();
    void startReadsRecordedSettings();
    void recordedNetworkIsJoinedAtStart();
    void onlyTheFirstOpenReadsTheKey();
    void aBrokenHiveIsSaidOnce_data();
    void aBrokenHiveIsSaidOnce();
};

void TestSimRegistry::installsEveryAdapterKey() {
    TestEnv env;
    QCOMPARE(read("0007", "MatchingDeviceId"),
             std::string("PCI\\VEN_1C7E&DEV_2102&SUBSYS_21021C7E"));
    QCOMPARE(read("0008", "MatchingDeviceId"), std::string("PCMCIA\\TOLVA-KX3101_WLAN_CARD-3A1F"));
    QCOMPARE(read("0009", "MatchingDeviceId"), std::string("USB\\VID_1D5A&PID_3101"));
    // Installing asks for nothing else.
    QCOMPARE(Registry::valueNames(Hive::LocalMachine, key("0007")).size(), 1u);
}

void TestSimRegistry::installationTouchesNothingElse() {
    TestEnv env;
    write("0007", "MatchingDeviceId", "PCI\\SOMETHING_ELSE");
    write("0007", "SSID", "Kept");
    kxsim_reset();
    QCOMPARE(read("0007", "MatchingDeviceId"), std::string("PCI\\SOMETHING_ELSE"));
    QCOMPARE(read("0007", "SSID"), std::string("Kept"));
    QCOMPARE(Registry::deleteValue(Hive::LocalMachine, key("0007"), "MatchingDeviceId"), 0);
    kxsim_reset();
    QCOMPARE(read("0007", "MatchingDeviceId"),
             std::string("PCI\\VEN_1C7E&DEV_2102&SUBSYS_21021C7E"));
    QCOMPARE(read("0007", "SSID"), std::string("Kept"));
}

void TestSimRegistry::startReadsRecordedSettings_data() {
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("expected");
    const QString pci = "0007", card = "0008";
    const auto row = [](const char* tag, const QString& a, const char* n, const char* t,
                        const char* f, int e) {
        QTest::newRow(tag) << a << QByteArray(n) << QByteArray(t) << QByteArray(f) << e;
    };
    row("channel", pci, "RFChannel", "11", "desired_channel", 11);
    row("channel out of range", pci, "RFChannel", "15", "desired_channel", 6);
    row("channel not a number", pci, "RFChannel", "11x", "desired_channel", 6);
    row("channel outside the card's mask", card, "RFChannel", "13", "desired_channel", 6);
    row("rate", pci, "TxDataRate", "8", "tx_rate", 8);
    row("rate set", pci, "TxDataRate", "12", "tx_rate", 12);
    row("rate 16 and 32 together", pci, "TxDataRate", "48", "tx_rate", 15);
    row("ad hoc", pci, "NetworkType", "0", "network_type", 0);
    row("network type 2", pci, "NetworkType", "2", "network_type", 1);
    row("authentication", pci, "AuthentMode", "1", "auth_mode", 1);
    row("authentication 4", pci, "AuthentMode", "4", "auth_mode", 3);
    row("power save", pci, "PowerSaveMode", "1", "ps_mode", 1);
    row("power save level", pci, "PowerSaveLevel", "4", "ps_level", 4);
    row("power save level 5", pci, "PowerSaveLevel", "5", "ps_level", 0);
    row("fragmentation", pci, "FragmentThreshold", "256", "frag_threshold", 256);
    row("fragmentation 255", pci, "FragmentThreshold", "255", "frag_threshold", 2306);
    row("RTS/CTS", pci, "RTSCTSThreshold", "0", "rts_threshold", 0);
    row("RTS/CTS 2306", pci, "RTSCTSThreshold", "2306", "rts_threshold", 2305);
    row("RTS/CTS negative", pci, "RTSCTSThreshold", "-1", "rts_threshold", 2305);
    row("preamble", pci, "Preamble", "2", "preamble", 2);
    row("preamble 0", pci, "Preamble", "0", "preamble", 3);
    row("27.5 Mbps", pci, "27_5Mbps", "1", "mode_27_5", 1);
    row("default key 3", pci, "WEPDefaultKeyId", "3", "default_key_id", 2);
    row("default key 0 is no key", pci, "WEPDefaultKeyId", "0", "default_key_id", 0);
    row("WEP 128-bit", pci, "WEPStatus", "6", "wep_bit", 1);
    row("WEP on", pci, "WEPStatus", "2", "wep_status", 1);
    row("WEP status 1", pci, "WEPStatus", "1", "wep_status", 0);
    row("antenna", pci, "AntennaSelect", "2", "rx_antenna", 2);
    row("antenna 4", pci, "AntennaSelect", "4", "rx_antenna", 3);
}

void TestSimRegistry::startReadsRecordedSettings() {
    QFETCH(QString, adapter);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, field);
    QFETCH(int, expected);
    TestEnv env;
    const QByteArray instance = adapter.toLatin1();
    write(instance.constData(), name.constData(), text.constData());
    SimRecord r(instance == "0007" ? kPciName : kCardName);
    QCOMPARE(r.opened, 1);
    QCOMPARE(simInt(instance.constData(), field.constData()), std::int64_t{expected});
}

void TestSimRegistry::recordedNetworkIsJoinedAtStart() {
    TestEnv env;
    write("0007", "SSID", "HomeWEP64");
    write("0007", "WEPDefaultKeys", "00000000001234567890AAAAAAAAAABBBBBBBBBB");
    write("0007", "WEPDefaultKeyId", "2");
    write("0007", "WEPStatus", "2");
    SimRecord r;
    kxsim_advance(2000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 4);
    QCOMPARE(simText("0007", "joined"), std::string("HomeWEP64"));
    QCOMPARE(simText("0007", "wep_key1"), std::string("1234567890"));
}

void TestSimRegistry::onlyTheFirstOpenReadsTheKey() {
    TestEnv env;
    {
        SimRecord r;
        QCOMPARE(KxCloseAdapter(r.get()), 0);
        QCOMPARE(r->handle, -1);
    }
    write("0007", "RFChannel", "11");
    SimRecord again;
    QCOMPARE(QueryWL_DesiredChannel(again.get()), 6);
    kxsim_reset();
    SimRecord restarted;
    QCOMPARE(QueryWL_DesiredChannel(restarted.get()), 11);
}

void TestSimRegistry::aBrokenHiveIsSaidOnce_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("cannot be read at all")
        << QByteArray("[HKEY_LOCAL_MACHINE\\K]\n") << QByteArray("does not parse at line 1");
    QTest::newRow("one line skipped")
        << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:zz\n")
        << QByteArray(", line 4: bad dword digits");
}

// The program and the driver library both read the adapters' hive; a person hears about
// a broken one once.
void TestSimRegistry::aBrokenHiveIsSaidOnce() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, said);
    TestEnv env;
    QVERIFY(QDir().mkpath(env.registryDir()));
    QFile hive(QString::fromStdString(Registry::hiveFile(Hive::LocalMachine).string()));
    QVERIFY(hive.open(QIODevice::WriteOnly));
    hive.write(content);
    hive.close();

    QTemporaryFile capture;
    QVERIFY(capture.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(capture.handle(), 2);
    Registry::keyExists(Hive::LocalMachine, "K"); // the program's copy
    kxsim_reset();                                // the library's copy installs
    Registry::keyExists(Hive::LocalMachine, key("0007"));
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    capture.seek(0);
    const QByteArray text = capture.readAll();
    QCOMPARE(text.count('\n'), 1);
    QVERIFY2(text.contains(said), text.constData());
}

QTEST_GUILESS_MAIN(TestSimRegistry)
#include "tst_simregistry.moc"
