// Every change a window makes, as the adapter and its registry key see it: what is sent
// in which order, what is recorded, and what a change answers when either fails.

#include <array>
#include <memory>
#include <string>

#include <QFile>
#include <QTest>

#include "adapter/AdapterState.h"
#include "kx02app/kxsim.h"
#include "platform/Registry.h"
#include "store/AdapterSettings.h"
#include "tests/store/SampleSettings.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr int kStationLine = 0;
constexpr int kAccessPointLine = 2;

// The arguments after the adapter record, as simCalls shows them.
QStringList callsOf(const QString& fn) {
    QStringList calls;
    for (const QString& call : simCalls({fn}))
        if (call.startsWith(fn + u'('))
            calls << call;
    return calls;
}

QByteArray hiveText(Hive hive) {
    QFile file(QString::fromStdString(Registry::hiveFile(hive).string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAdapterSettings final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readFromAdapter();
    void readFromAdapterKeys_data();
    void readFromAdapterKeys();
    void readFromAdapterFailedSsid();

    void applyToAdapterCallOrder();
    void applyToAdapterRecords();
    void applyToAdapterWepCodes_data();
    void applyToAdapterWepCodes();
    void applyToAdapterWithoutFullAccess();
    void refusedSettingIsStillRecorded();
    void factoryDefaultsRecord();

    void applyWepStatus_data();
    void applyWepStatus();
    void applyWepStatusDefaultKey_data();
    void applyWepStatusDefaultKey();
    void applyWepStatusOnAccessPointResendsSsid();

    void resendSsid_data();
    void resendSsid();
    void accessPointChanges();

private:
    AdapterSettings& settings() { return m_fx->ctx.settings; }
    AdapterState& adapter() { return m_fx->ctx.adapter; }
    std::string adapterKey() { return adapter().registryKey.toStdString(); }
    // What the driver will find at its next start; "<missing>" when nothing is recorded.
    QString recorded(const char* name) { return m_fx->adapterValue(name); }
    void record(const char* name, const QString& text) {
        QCOMPARE(Registry::writeString(Hive::LocalMachine, adapterKey(), name, text.toStdString()),
                 0);
    }

    std::unique_ptr<TestContext> m_fx;
};

void TestAdapterSettings::init() {
    m_fx = std::make_unique<TestContext>();
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx, kStationLine), 0);
}

void TestAdapterSettings::cleanup() {
    m_fx.reset();
}

void TestAdapterSettings::readFromAdapter() {
    const struct {
        const char* field;
        int value;
    } state[] = {{"channel", 9},           {"tx_rate", 4},         {"network_type", 3},
                 {"auth_mode", 1},         {"wep_status", 1},      {"wep_bit", 1},
                 {"default_key_id", 3},    {"ps_mode", 1},         {"ps_level", 2},
                 {"frag_threshold", 1500}, {"rts_threshold", 700}, {"preamble", 1},
                 {"mode_27_5", 1}};
    for (const auto& s : state)
        QCOMPARE(kxsim_set_int(nullptr, s.field, s.value), 0);
    QCOMPARE(kxsim_set_text(nullptr, "ssid", "Lab \xe9"), 0);
    clearSimTrace();

    WirelessSettings read;
    read = settings().read();

    WirelessSettings expected;
    expected.channel = 9;
    expected.txRateControl = 4;
    expected.ssid = QStringLiteral("Lab \\xE9"); // no UTF-8: the byte shown as such
    expected.networkType = 3;
    expected.authenticationMode = 1;
    expected.wepStatus = 1;
    expected.wepBit = 1;
    expected.defaultKeyId = 3;
    expected.keys = read.keys; // checked below
    expected.powerSaveMode = 1;
    expected.powerSaveLevel = 2;
    expected.fragmentationThreshold = 1500;
    expected.rtsCtsThreshold = 700;
    expected.preambleMode = 1;
    expected.mode27_5Mbps = 1;
    QCOMPARE(read, expected);

    QCOMPARE(
        callNames({QStringLiteral("Query")}),
        (QStringList{"QueryWL_Channel", "QueryWL_TxRateControl", "QueryWL_SSID",
                     "QueryWL_NetworkType", "QueryWL_AuthenticationMode", "QueryWL_WEPStatus",
                     "QueryWL_WEPbit", "QueryWL_DefaultKeyID", "QueryWL_PSMode", "QueryWL_PSLevel",
                     "QueryWL_FragmentationThreshold", "QueryWL_RTS_CTS_Threshold",
                     "QueryWL_PreambleMode", "QueryWL_27_5Mbps"}));
}

void TestAdapterSettings::readFromAdapterKeys_data() {
    QTest::addColumn<QString>("stored"); // "<missing>": no value
    QTest::addColumn<QStringList>("keys");

    const QString digits40 = QStringLiteral("0102030405111213141521222324253132333435");
    const QString digits104 = QStringLiteral("0123456789ABCDEF0123456789").repeated(4);
    const QStringList defaults(4, QStringLiteral("3C5A7E9B2D"));
    QTest::newRow("40 digits") << digits40
                               << QStringList{"0102030405", "1112131415", "2122232425",
                                              "3132333435"};
    QTest::newRow("50 digits: first 40")
        << digits40 + QStringLiteral("FFFFFFFFFF")
        << QStringList{"0102030405", "1112131415", "2122232425", "3132333435"};
    QTest::newRow("103 digits: still 10 each")
        << digits104.left(103)
        << QStringList{digits104.mid(0, 10), digits104.mid(10, 10), digits104.mid(20, 10),
                       digits104.mid(30, 10)};
    QTest::newRow("104 digits") << digits104 << QStringList(4, digits104.left(26));
    QTest::newRow("39 digits") << digits40.left(39) << defaults;
    QTest::newRow("missing") << QStringLiteral("<missing>") << defaults;
}

void TestAdapterSettings::readFromAdapterKeys() {
    QFETCH(QString, stored);
    QFETCH(QStringList, keys);
    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "WEPDefaultKeys");
    if (stored != QStringLiteral("<missing>"))
        record("WEPDefaultKeys", stored);

    WirelessSettings read;
    read.keys = {};
    read = settings().read();
    QCOMPARE(QStringList(read.keys.begin(), read.keys.end()), keys);
}

void TestAdapterSettings::readFromAdapterFailedSsid() {
    QCOMPARE(kxsim_set_text(nullptr, "ssid", "Somewhere"), 0);
    kxsim_force("QueryWL_SSID", -1);
    WirelessSettings read;
    read.ssid = QStringLiteral("stale");
    read = settings().read();
    QCOMPARE(read.ssid, QString());
}

void TestAdapterSettings::applyToAdapterCallOrder() {
    QVERIFY(settings().apply(sampleSettings()).ok());
    QCOMPARE(simCalls({QStringLiteral("Set")}),
             (QStringList{
                 "SetWL_PSMode(1)", "SetWL_PSLevel(3)", "SetWL_FragmentationThreshold(1024)",
                 "SetWL_RTS_CTS_Threshold(512)", "SetWL_27_5Mbps(1)", "SetWL_AuthenticationMode(2)",
                 "SetWL_WriteKey(0,0,0,\"0102030405\")", "SetWL_WriteKey(1,0,0,\"1112131415\")",
                 "SetWL_WriteKey(2,0,1,\"2122232425\")", "SetWL_WriteKey(3,0,0,\"3132333435\")",
                 "SetWL_WEPStatus(1)", "SetWL_Channel(11)", "SetWL_TxRateControl(8)",
                 "SetWL_NetworkType(0)", "SetWL_SSID(\"Office-Net\")"}));
}

void TestAdapterSettings::applyToAdapterRecords() {
    QVERIFY(settings().apply(sampleSettings()).ok());
    const struct {
        const char* name;
        const char* text;
    } expected[] = {{"PowerSaveMode", "1"},
                    {"PowerSaveLevel", "3"},
                    {"FragmentThreshold", "1024"},
                    {"RTSCTSThreshold", "512"},
                    {"27_5Mbps", "1"},
                    {"AuthentMode", "2"},
                    {"WEPDefaultKeyId", "3"},
                    {"WEPDefaultKeys", "0102030405111213141521222324253132333435"},
                    {"WEPStatus", "2"},
                    {"RFChannel", "11"},
                    {"TxDataRate", "8"},
                    {"NetworkType", "0"},
                    {"SSID", "Office-Net"},
                    {"Preamble", "<missing>"}};
    for (const auto& e : expected)
        QCOMPARE(recorded(e.name), QString::fromLatin1(e.text));
}

void TestAdapterSettings::applyToAdapterWepCodes_data() {
    QTest::addColumn<int>("wepStatus");
    QTest::addColumn<int>("wepBit");
    QTest::addColumn<QString>("statusText");
    QTest::newRow("off, 64-bit") << 0 << 0 << QStringLiteral("0");
    QTest::newRow("off, 128-bit") << 0 << 1 << QStringLiteral("0");
    QTest::newRow("on, 64-bit") << 1 << 0 << QStringLiteral("2");
    QTest::newRow("on, 128-bit") << 1 << 1 << QStringLiteral("6");
}

void TestAdapterSettings::applyToAdapterWepCodes() {
    QFETCH(int, wepStatus);
    QFETCH(int, wepBit);
    QFETCH(QString, statusText);

    WirelessSettings s = sampleSettings();
    s.wepStatus = wepStatus;
    s.wepBit = wepBit;
    if (wepBit != 0)
        s.keys = {QStringLiteral("00112233445566778899AABBCC"), QString(26, u'1'),
                  QString(26, u'2'), QString(26, u'3')};
    QVERIFY(settings().apply(s).ok());

    QCOMPARE(recorded("WEPStatus"), statusText);
    QCOMPARE(recorded("WEPDefaultKeys").size(), wepBit != 0 ? 104 : 40);
    const QStringList keyCalls = callsOf(QStringLiteral("SetWL_WriteKey"));
    QCOMPARE(keyCalls.size(), 4);
    QCOMPARE(keyCalls.first(),
             wepBit != 0 ? QStringLiteral("SetWL_WriteKey(0,1,0,\"00112233445566778899aabbcc\")")
                         : QStringLiteral("SetWL_WriteKey(0,0,0,\"0102030405\")"));
}

void TestAdapterSettings::applyToAdapterWithoutFullAccess() {
    adapter().registryKey += QStringLiteral("\\Missing");
    const QByteArray before = hiveText(Hive::LocalMachine);
    const SettingResult result = settings().apply(sampleSettings());
    QCOMPARE(hiveText(Hive::LocalMachine), before);
    // The adapter still receives every setting: in effect now, lost at its next start.
    QCOMPARE(simCalls({QStringLiteral("Set")}).size(), 15);
    QVERIFY(!result.driverRefused());
    QVERIFY(!result.recorded());
    const QString hiveFile =
        QString::fromStdString(Registry::hiveFile(Hive::LocalMachine).string());
    QVERIFY2(result.unsavedMessage().startsWith(
                 QStringLiteral("Settings cannot be saved: %1: ").arg(hiveFile)),
             qPrintable(result.unsavedMessage()));
}

void TestAdapterSettings::refusedSettingIsStillRecorded() {
    kxsim_force("SetWL_Channel", -1);
    const SettingResult result = settings().setChannel(11);
    QVERIFY(result.driverRefused());
    QVERIFY(result.recorded());
    QCOMPARE(recorded("RFChannel"), QStringLiteral("11"));
    QVERIFY(settings().setTxRate(8).ok());
}

void TestAdapterSettings::factoryDefaultsRecord() {
    QVERIFY(settings().applyFactoryDefaults().ok());
    QCOMPARE(recorded("RFChannel"), QStringLiteral("6"));
    QCOMPARE(recorded("TxDataRate"), QStringLiteral("15"));
    QCOMPARE(recorded("27_5Mbps"), QStringLiteral("0"));
    QCOMPARE(recorded("WEPStatus"), QStringLiteral("0"));
    QCOMPARE(recorded("WEPDefaultKeyId"), QStringLiteral("1"));
    QCOMPARE(recorded("WEPDefaultKeys"), QStringLiteral("3C5A7E9B2D").repeated(4));
    QCOMPARE(recorded("FragmentThreshold"), QStringLiteral("2305"));
    QCOMPARE(recorded("SSID"), QString());
}

void TestAdapterSettings::applyWepStatus_data() {
    QTest::addColumn<QString>("stored"); // "<missing>": no value
    QTest::addColumn<int>("enabled");
    QTest::addColumn<int>("keyIndex");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QString>("keyIdText");

    const QString digits40 = QStringLiteral("0102030405111213141521222324253132333435");
    const QString long0 = QStringLiteral("00112233445566778899aabbcc");
    QTest::newRow("64-bit keys") << digits40 << 1 << 1
                                 << QStringList{"SetWL_WriteKey(0,0,0,\"0102030405\")",
                                                "SetWL_WriteKey(1,0,1,\"1112131415\")",
                                                "SetWL_WriteKey(2,0,0,\"2122232425\")",
                                                "SetWL_WriteKey(3,0,0,\"3132333435\")",
                                                "SetWL_WEPStatus(1)"}
                                 << QStringLiteral("2") << QStringLiteral("2");
    QTest::newRow("104 digits: 128-bit keys")
        << long0.repeated(4) << 1 << 3
        << QStringList{"SetWL_WriteKey(0,1,0,\"" + long0 + "\")",
                       "SetWL_WriteKey(1,1,0,\"" + long0 + "\")",
                       "SetWL_WriteKey(2,1,0,\"" + long0 + "\")",
                       "SetWL_WriteKey(3,1,1,\"" + long0 + "\")", "SetWL_WEPStatus(1)"}
        << QStringLiteral("6") << QStringLiteral("4");
    // The keys the WEP key dialog shows and a profile saves.
    QTest::newRow("105 digits: the first 104")
        << long0.repeated(4) + QStringLiteral("F") << 1 << 0
        << QStringList{"SetWL_WriteKey(0,1,1,\"" + long0 + "\")",
                       "SetWL_WriteKey(1,1,0,\"" + long0 + "\")",
                       "SetWL_WriteKey(2,1,0,\"" + long0 + "\")",
                       "SetWL_WriteKey(3,1,0,\"" + long0 + "\")", "SetWL_WEPStatus(1)"}
        << QStringLiteral("6") << QStringLiteral("1");
    // What a station set up with the defaults joins with, never all-zero keys.
    QTest::newRow("nothing recorded: the default keys")
        << QStringLiteral("<missing>") << 1 << 0
        << QStringList{"SetWL_WriteKey(0,0,1,\"3c5a7e9b2d\")",
                       "SetWL_WriteKey(1,0,0,\"3c5a7e9b2d\")",
                       "SetWL_WriteKey(2,0,0,\"3c5a7e9b2d\")",
                       "SetWL_WriteKey(3,0,0,\"3c5a7e9b2d\")", "SetWL_WEPStatus(1)"}
        << QStringLiteral("2") << QStringLiteral("1");
    QTest::newRow("off") << digits40 << 0 << 2 << QStringList{"SetWL_WEPStatus(0)"}
                         << QStringLiteral("0") << QStringLiteral("3");
}

void TestAdapterSettings::applyWepStatus() {
    QFETCH(QString, stored);
    QFETCH(int, enabled);
    QFETCH(int, keyIndex);
    QFETCH(QStringList, calls);
    QFETCH(QString, statusText);
    QFETCH(QString, keyIdText);
    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "WEPDefaultKeys");
    if (stored != QStringLiteral("<missing>"))
        record("WEPDefaultKeys", stored);
    clearSimTrace();

    QVERIFY(settings().setWepEnabled(enabled != 0, keyIndex).ok());
    QCOMPARE(simCalls({QStringLiteral("Set"), QStringLiteral("WriteOid")}), calls);
    QCOMPARE(recorded("WEPStatus"), statusText);
    QCOMPARE(recorded("WEPDefaultKeyId"), keyIdText);
}

void TestAdapterSettings::applyWepStatusDefaultKey_data() {
    QTest::addColumn<int>("forced"); // QueryWL_DefaultKeyID answer; 99: not forced
    QTest::addColumn<QString>("keyIdText");
    QTest::newRow("adapter's default key") << 99 << QStringLiteral("3");
    QTest::newRow("query fails: key 0") << -1 << QStringLiteral("1");
    QTest::newRow("out of range: key 0") << 7 << QStringLiteral("1");
}

void TestAdapterSettings::applyWepStatusDefaultKey() {
    QFETCH(int, forced);
    QFETCH(QString, keyIdText);
    QCOMPARE(kxsim_set_int(nullptr, "default_key_id", 2), 0);
    if (forced != 99)
        kxsim_force("QueryWL_DefaultKeyID", forced);

    QVERIFY(settings().setWepEnabled(false).ok());
    QCOMPARE(recorded("WEPDefaultKeyId"), keyIdText);
}

void TestAdapterSettings::applyWepStatusOnAccessPointResendsSsid() {
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx, kAccessPointLine), 0);
    QVERIFY(adapter().accessPointMode);
    record("SSID", QStringLiteral("KX-AP"));
    clearSimTrace();

    QVERIFY(settings().setWepEnabled(false, 0).ok());
    QCOMPARE(callNames({QStringLiteral("Set"), QStringLiteral("WriteOid")}),
             (QStringList{"SetWL_WEPStatus", "WriteOid"}));
}

void TestAdapterSettings::resendSsid_data() {
    QTest::addColumn<QString>("stored"); // "<missing>": no value
    QTest::addColumn<int>("forced");     // WriteOid answer; 99: not forced
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("line"); // the simulated adapter; -1: the first, its SSID unreadable

    const QString pad = QStringLiteral("00").repeated(27);
    QTest::newRow("SSID") << QStringLiteral("KX-AP") << 99 << 0
                          << QStringList{"WriteOid(4278321586,\"050000004b582d4150" + pad +
                                         "\",36)"}
                          << 0;
    QTest::newRow("longer than 32: the access point's own name")
        << QString(40, u'A') << 99 << 0
        << QStringList{"WriteOid(4278321586,\"07000000546f6c76614150" +
                       QStringLiteral("00").repeated(25) + "\",36)"}
        << kAccessPointLine;
    QTest::newRow("nothing recorded, no name: nothing sent")
        << QStringLiteral("<missing>") << 99 << -1 << QStringList{} << -1;
    QTest::newRow("nothing recorded: the access point's own name")
        << QStringLiteral("<missing>") << 99 << 0
        << QStringList{"WriteOid(4278321586,\"07000000546f6c76614150" +
                       QStringLiteral("00").repeated(25) + "\",36)"}
        << kAccessPointLine;
    QTest::newRow("driver fails") << QStringLiteral("KX-AP") << -1 << -1
                                  << QStringList{"WriteOid(4278321586,\"050000004b582d4150" + pad +
                                                 "\",36)"}
                                  << 0;
}

void TestAdapterSettings::resendSsid() {
    QFETCH(QString, stored);
    QFETCH(int, forced);
    QFETCH(int, result);
    QFETCH(QStringList, calls);
    QFETCH(int, line);
    if (line > 0)
        QCOMPARE(selectSimulatedAdapter(m_fx->ctx, line), 0);
    if (line < 0)
        kxsim_force("QueryWLAP_SSID", -1);
    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "SSID");
    if (stored != QStringLiteral("<missing>"))
        record("SSID", stored);
    if (forced != 99)
        kxsim_force("WriteOid", forced);

    QCOMPARE(settings().resendSsid().ok(), result == 0);
    QCOMPARE(simCalls({QStringLiteral("WriteOid")}), calls);
}

// The access point's name reaches its firmware twice (SSID and the resend object); of its
// settings only the SSID and the fragmentation threshold are recorded.
void TestAdapterSettings::accessPointChanges() {
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx, kAccessPointLine), 0);
    for (const char* name : {"SSID", "FragmentThreshold", "RTSCTSThreshold"})
        Registry::deleteValue(Hive::LocalMachine, adapterKey(), name);
    std::array<std::uint8_t, WL_FILTER_TABLE_BYTES> table{};
    table[7] = 1; // entry 1 in use
    table[8] = 0x00;
    table[13] = 0x42;
    clearSimTrace();

    SettingResult result = settings().setBasicRates(8);
    result += settings().setApSsidHidden(true);
    // U+0141 goes as UTF-8.
    result += settings().setApSsid(QString::fromUtf16(u"KX-\u0141P"));
    result += settings().resendSsid();
    result += settings().setTxPowerLevel(2);
    result += settings().setApFragmentationThreshold(1024);
    result += settings().setApRtsThreshold(500);
    result += settings().setFilterMode(FilterMode::Reject);
    result += settings().setFilterTable(table);
    QVERIFY(result.ok());

    const QString pad = QStringLiteral("00").repeated(26);
    const QString filter = QStringLiteral("00").repeated(7) + QStringLiteral("010000000000") +
                           QStringLiteral("42") + QStringLiteral("00").repeated(98);
    QCOMPARE(simCalls({QStringLiteral("Set"), QStringLiteral("WriteOid")}),
             (QStringList{"SetWL_BasicRate(8)", "SetWLAP_HideSSIDState(1)",
                          QString::fromUtf16(u"SetWLAP_SSID(\"KX-\u00C5\u0081P\")"),
                          "WriteOid(4278321586,\"060000004b582dc58150" + pad + "\",36)",
                          "SetWLAP_TxPowerLevel(2)", "SetWLAP_FragmentationThreshold(1024)",
                          "SetWLAP_RTS_CTS_Threshold(500)", "SetWLAP_FilterMode(2)",
                          "SetWLAP_FilterList(\"" + filter + "\",112)"}));
    QCOMPARE(recorded("SSID"), QString::fromUtf16(u"KX-\u0141P"));
    QCOMPARE(recorded("FragmentThreshold"), QStringLiteral("1024"));
    QCOMPARE(recorded("RTSCTSThreshold"), QStringLiteral("<missing>"));
}

QTEST_GUILESS_MAIN(TestAdapterSettings)
#include "test_adaptersettings.moc"
