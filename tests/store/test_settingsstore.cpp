#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <QFile>
#include <QTest>

#include "adapter/AdapterState.h"
#include "app/UserProfile.h"
#include "kx02app/kxsim.h"
#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr int kStationLine = 0;
constexpr int kAccessPointLine = 2;

std::string userKey() {
    return UserProfile::keyPath().toStdString();
}
std::string profileKey(const QString& name) {
    return (UserProfile::keyPath() + QStringLiteral("\\Profile\\") + name).toStdString();
}

QString userLink(const std::string& key) {
    std::string text;
    if (Registry::readString(Hive::CurrentUser, key, "ProfileLink", text) != 0)
        return QStringLiteral("<missing>");
    return QString::fromStdString(text);
}

void linkProfiles(const QStringList& chain) {
    // chain[0] is the root's link; each further name is the link of the one before.
    QVERIFY(Registry::createKey(Hive::CurrentUser, userKey()) == 0);
    std::string from = userKey();
    for (const QString& name : chain) {
        QCOMPARE(Registry::writeString(Hive::CurrentUser, from, "ProfileLink", name.toStdString()),
                 0);
        from = profileKey(name);
        QCOMPARE(Registry::createKey(Hive::CurrentUser, from), 0);
    }
}

QByteArray hiveText(Hive hive) {
    QFile file(QString::fromStdString(Registry::hiveFile(hive).string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList callNames(const QStringList& prefixes) {
    QStringList names;
    for (const TraceCall& call : simTrace()) {
        for (const QString& p : prefixes) {
            if (call.fn.startsWith(p)) {
                names << call.fn;
                break;
            }
        }
    }
    return names;
}

// The arguments after the adapter record, as simCalls shows them.
QStringList callsOf(const QString& fn) {
    QStringList calls;
    for (const QString& call : simCalls({fn}))
        if (call.startsWith(fn + u'('))
            calls << call;
    return calls;
}

WirelessSettings sampleSettings() {
    WirelessSettings s;
    s.channel = 11;
    s.txRateControl = 8;
    s.ssid = QStringLiteral("Office-Net");
    s.networkType = 0;
    s.wepStatus = 1;
    s.authenticationMode = 2;
    s.wepBit = 0;
    s.defaultKeyId = 2;
    s.keys = {QStringLiteral("0102030405"), QStringLiteral("1112131415"),
              QStringLiteral("2122232425"), QStringLiteral("3132333435")};
    s.powerSaveMode = 1;
    s.powerSaveLevel = 3;
    s.fragmentationThreshold = 1024;
    s.rtsCtsThreshold = 512;
    s.preambleMode = 2;
    s.mode27_5Mbps = 1;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(WirelessSettings)

class TestSettingsStore final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writeAdapterValueRecordsText();
    void writeAdapterValueNeverCreatesTheKey();
    void writeAdapterValueWithoutFullAccess();
    void readAdapterValue_data();
    void readAdapterValue();

    void profilesChainInCreationOrder();
    void createProfileRefuses_data();
    void createProfileRefuses();
    void writingAgainOverwritesTheProfile();
    void profileRoundTrip();
    void missingProfileValues();
    void emptyCursorTouchesNothing();
    void loopingChainEnds_data();
    void loopingChainEnds();

    void readFromAdapter();
    void readFromAdapterKeys_data();
    void readFromAdapterKeys();
    void readFromAdapterFailedSsid();

    void applyToAdapterCallOrder();
    void applyToAdapterRecords();
    void applyToAdapterWepCodes_data();
    void applyToAdapterWepCodes();
    void applyToAdapterWithoutFullAccess();
    void factoryDefaultsRecord();

    void applyWepStatus_data();
    void applyWepStatus();
    void applyWepStatusDefaultKey_data();
    void applyWepStatusDefaultKey();
    void applyWepStatusOnAccessPointResendsSsid();

    void resendSsid_data();
    void resendSsid();

private:
    SettingsStore& store() { return m_fx->ctx.store; }
    AdapterState& adapter() { return m_fx->ctx.adapter; }
    std::string adapterKey() { return adapter().registryKey.toStdString(); }
    // What the driver will find at its next start; "<missing>" when nothing is recorded.
    QString recorded(const char* name);
    void record(const char* name, const QString& text);

    std::unique_ptr<TestContext> m_fx;
};

void TestSettingsStore::init() {
    m_fx = std::make_unique<TestContext>();
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx, kStationLine), 0);
}

void TestSettingsStore::cleanup() {
    m_fx.reset();
}

QString TestSettingsStore::recorded(const char* name) {
    std::string text;
    if (Registry::readString(Hive::LocalMachine, adapterKey(), name, text) != 0)
        return QStringLiteral("<missing>");
    return QString::fromStdString(text);
}

void TestSettingsStore::record(const char* name, const QString& text) {
    QCOMPARE(Registry::writeString(Hive::LocalMachine, adapterKey(), name, text.toStdString()), 0);
}

// ---- single values -----------------------------------------------------------------

void TestSettingsStore::writeAdapterValueRecordsText() {
    QCOMPARE(store().writeAdapterValue(QStringLiteral("RFChannel"), 11), 0);
    QCOMPARE(store().writeAdapterValue(QStringLiteral("FragmentThreshold"), -1), 0);
    QCOMPARE(store().writeAdapterValue(QStringLiteral("SSID"), QStringLiteral("Caf\u00e9 Net")), 0);

    // Text values, never DWORDs: the driver reads decimal text.
    const QByteArray hive = hiveText(Hive::LocalMachine);
    QVERIFY2(hive.contains("\"RFChannel\"=\"11\""), hive.constData());
    QVERIFY(hive.contains("\"FragmentThreshold\"=\"-1\""));
    QCOMPARE(recorded("SSID"), QStringLiteral("Caf\u00e9 Net"));
}

void TestSettingsStore::writeAdapterValueNeverCreatesTheKey() {
    const QString missing = adapter().registryKey + QStringLiteral("\\Missing");
    adapter().registryKey = missing;
    QCOMPARE(store().writeAdapterValue(QStringLiteral("RFChannel"), 3), -1);
    QVERIFY(!Registry::keyExists(Hive::LocalMachine, missing.toStdString()));

    adapter().registryKey.clear();
    const QByteArray before = hiveText(Hive::LocalMachine);
    QCOMPARE(store().writeAdapterValue(QStringLiteral("RFChannel"), 3), -1);
    QCOMPARE(hiveText(Hive::LocalMachine), before);
}

void TestSettingsStore::writeAdapterValueWithoutFullAccess() {
    namespace fs = std::filesystem;
    const fs::path hive = Registry::hiveFile(Hive::LocalMachine);
    const auto readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const auto searchable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(m_fx->env.path().toStdString(), fs::perms::owner_all | readable | searchable);
    fs::permissions(hive.parent_path(), readable | searchable);
    fs::permissions(hive, readable);
    const QByteArray before = hiveText(Hive::LocalMachine);
    const int result = runAsOrdinaryUser(
        [this] { return store().writeAdapterValue(QStringLiteral("RFChannel"), 3) == -1 ? 0 : 1; });
    const QByteArray after = hiveText(Hive::LocalMachine);
    fs::permissions(hive.parent_path(), fs::perms::owner_all);
    fs::permissions(hive, fs::perms::owner_read | fs::perms::owner_write);
    QCOMPARE(result, 0); // the write answered -1
    QCOMPARE(after, before);
}

void TestSettingsStore::readAdapterValue_data() {
    QTest::addColumn<QString>("stored"); // empty: missing
    QTest::addColumn<bool>("asDword");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("expected");

    const QString keys104 = QString(QStringLiteral("0123456789ABC")).repeated(8);
    QTest::newRow("text") << QStringLiteral("Lab") << false << 400 << 0 << QStringLiteral("Lab");
    QTest::newRow("104 digits fit in 400") << keys104 << false << 400 << 0 << keys104;
    QTest::newRow("cut to size - 1") << keys104 << false << 11 << 0 << keys104.left(10);
    QTest::newRow("a DWORD reads as decimal")
        << QStringLiteral("42") << true << 400 << 0 << QStringLiteral("42");
    QTest::newRow("size 1 holds only the NUL")
        << QStringLiteral("Lab") << false << 1 << 0 << QString();
    QTest::newRow("missing") << QString() << false << 400 << -1 << QString();
}

void TestSettingsStore::readAdapterValue() {
    QFETCH(QString, stored);
    QFETCH(bool, asDword);
    QFETCH(int, size);
    QFETCH(int, result);
    QFETCH(QString, expected);

    if (asDword)
        QCOMPARE(Registry::writeDword(Hive::LocalMachine, adapterKey(), "Value", stored.toUInt()),
                 0);
    else if (!stored.isEmpty())
        record("Value", stored);

    QString out = QStringLiteral("stale");
    QCOMPARE(store().readAdapterValue(QStringLiteral("Value"), out, size), result);
    QCOMPARE(out, expected);
}

// ---- profiles ----------------------------------------------------------------------

void TestSettingsStore::profilesChainInCreationOrder() {
    for (const char* name : {"Home", "Office", "Lab"}) {
        QCOMPARE(store().createProfile(QString::fromLatin1(name)), 0);
        QCOMPARE(store().cursor(), QString());
    }

    QCOMPARE(userLink(userKey()), QStringLiteral("Home"));
    QCOMPARE(userLink(profileKey(QStringLiteral("Home"))), QStringLiteral("Office"));
    QCOMPARE(userLink(profileKey(QStringLiteral("Office"))), QStringLiteral("Lab"));
    QCOMPARE(userLink(profileKey(QStringLiteral("Lab"))), QStringLiteral("<missing>"));

    QString name;
    QCOMPARE(store().firstProfile(name), 0);
    QCOMPARE(name, QStringLiteral("Home"));
    QCOMPARE(store().nextProfile(name), 0);
    QCOMPARE(name, QStringLiteral("Office"));
    QCOMPARE(store().nextProfile(name), 0);
    QCOMPARE(name, QStringLiteral("Lab"));
    QCOMPARE(store().nextProfile(name), -1);
    QCOMPARE(name, QString());
    QCOMPARE(store().cursor(), QString());

    QCOMPARE(store().findProfile(QStringLiteral("Office")), 0);
    QCOMPARE(store().cursor(), QStringLiteral("Office"));
    QCOMPARE(store().findProfile(QStringLiteral("office")), -1);
    QCOMPARE(store().cursor(), QString());
}

void TestSettingsStore::createProfileRefuses_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("existing") << QStringLiteral("Home");
    // Registry keys ignore case: "home" would share Home's key and loop the list.
    QTest::newRow("differs only in case") << QStringLiteral("HOME");
    QTest::newRow("backslash addresses a nested key") << QStringLiteral("Work\\Lab");
    QTest::newRow("control character") << QStringLiteral("Tab\tName");
}

void TestSettingsStore::createProfileRefuses() {
    QFETCH(QString, name);
    QCOMPARE(store().createProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().writeProfile(sampleSettings()), 0);
    const QByteArray before = hiveText(Hive::CurrentUser);

    QCOMPARE(store().createProfile(name), -1);
    QCOMPARE(hiveText(Hive::CurrentUser), before);
    QCOMPARE(store().profileNames(), QStringList{QStringLiteral("Home")});
}

void TestSettingsStore::writingAgainOverwritesTheProfile() {
    QCOMPARE(store().createProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().writeProfile(sampleSettings()), 0);

    QCOMPARE(store().createProfile(QStringLiteral("Home")), -1);
    QCOMPARE(store().findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().writeProfile(SettingsStore::factoryDefaults()), 0);

    WirelessSettings read = sampleSettings();
    QCOMPARE(store().findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().readProfile(read), 0);
    QCOMPARE(read, SettingsStore::factoryDefaults());
    QCOMPARE(store().profileNames(), QStringList{QStringLiteral("Home")});
}

void TestSettingsStore::profileRoundTrip() {
    WirelessSettings written = sampleSettings();
    written.ssid = QStringLiteral("Caf\u00e9 \u00d8");
    written.preambleMode = -1; // a missing value read earlier is kept as it is
    written.wepBit = 1;
    written.keys = {QString(26, u'A'), QString(26, u'B'), QString(26, u'C'), QString(26, u'D')};

    QCOMPARE(store().createProfile(QStringLiteral("Lab")), 0);
    QCOMPARE(store().findProfile(QStringLiteral("Lab")), 0);
    QCOMPARE(store().writeProfile(written), 0);

    WirelessSettings read;
    QCOMPARE(store().readProfile(read), 0);
    QCOMPARE(read, written);

    // Numbers as DWORDs, texts as strings, under the names users and tools know.
    const QByteArray hive = hiveText(Hive::CurrentUser);
    QVERIFY2(hive.contains("\"Channel\"=dword:0000000b"), hive.constData());
    QVERIFY(hive.contains("\"Preamble Mode\"=dword:ffffffff"));
    QVERIFY(hive.contains("\"27.5Mbps Mode\"=dword:00000001"));
    QVERIFY(hive.contains("\"WEP Key 3\"=\"" + QByteArray(26, 'D') + '"'));
    std::string ssid;
    QCOMPARE(
        Registry::readString(Hive::CurrentUser, profileKey(QStringLiteral("Lab")), "SSID", ssid),
        0);
    QCOMPARE(QString::fromStdString(ssid), written.ssid);
}

void TestSettingsStore::missingProfileValues() {
    QCOMPARE(store().createProfile(QStringLiteral("Bare")), 0);
    QCOMPARE(store().findProfile(QStringLiteral("Bare")), 0);
    WirelessSettings read;
    QCOMPARE(store().readProfile(read), 0);
    QCOMPARE(read.channel, -1);
    QCOMPARE(read.mode27_5Mbps, -1);
    QCOMPARE(read.defaultKeyId, -1);
    QCOMPARE(read.ssid, QString());
    for (const QString& key : read.keys)
        QCOMPARE(key, QString());
}

void TestSettingsStore::emptyCursorTouchesNothing() {
    QCOMPARE(store().createProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().cursor(), QString());
    const QByteArray before = hiveText(Hive::CurrentUser);

    QCOMPARE(store().writeProfile(sampleSettings()), -1);
    QCOMPARE(hiveText(Hive::CurrentUser), before);
    QVERIFY(Registry::valueNames(Hive::CurrentUser, profileKey(QString())).empty());

    WirelessSettings read = sampleSettings();
    QCOMPARE(store().readProfile(read), -1);
    QCOMPARE(read, sampleSettings());
}

void TestSettingsStore::loopingChainEnds_data() {
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QStringList>("walk");
    QTest::newRow("A to B back to A") << QStringList{"A", "B", "A"} << QStringList{"A", "B"};
    QTest::newRow("A to itself") << QStringList{"A", "A"} << QStringList{"A"};
    QTest::newRow("into the middle")
        << QStringList{"A", "B", "C", "B"} << QStringList{"A", "B", "C"};
    QTest::newRow("same key in other case") << QStringList{"A", "B", "b"} << QStringList{"A", "B"};
}

void TestSettingsStore::loopingChainEnds() {
    QFETCH(QStringList, chain);
    QFETCH(QStringList, walk);
    linkProfiles(chain);

    QCOMPARE(store().profileNames(), walk);
    QCOMPARE(store().findProfile(QStringLiteral("Z")), -1);
    QCOMPARE(store().cursor(), QString());
    QString name;
    QCOMPARE(store().firstProfile(name), 0); // a fresh walk starts again
    QCOMPARE(name, walk.first());

    // Appending links the last distinct profile to the new one, which ends the loop.
    QCOMPARE(store().createProfile(QStringLiteral("New")), 0);
    QCOMPARE(store().profileNames(), walk + QStringList{QStringLiteral("New")});
    QCOMPARE(userLink(profileKey(QStringLiteral("New"))), QStringLiteral("<missing>"));
}

// ---- whole records -----------------------------------------------------------------

void TestSettingsStore::readFromAdapter() {
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
    store().readFromAdapter(read);

    WirelessSettings expected;
    expected.channel = 9;
    expected.txRateControl = 4;
    expected.ssid = QStringLiteral("Lab \u00e9");
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

void TestSettingsStore::readFromAdapterKeys_data() {
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

void TestSettingsStore::readFromAdapterKeys() {
    QFETCH(QString, stored);
    QFETCH(QStringList, keys);
    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "WEPDefaultKeys");
    if (stored != QStringLiteral("<missing>"))
        record("WEPDefaultKeys", stored);

    WirelessSettings read;
    read.keys = {};
    store().readFromAdapter(read);
    QCOMPARE(QStringList(read.keys.begin(), read.keys.end()), keys);
}

void TestSettingsStore::readFromAdapterFailedSsid() {
    QCOMPARE(kxsim_set_text(nullptr, "ssid", "Somewhere"), 0);
    kxsim_force("QueryWL_SSID", -1);
    WirelessSettings read;
    read.ssid = QStringLiteral("stale");
    store().readFromAdapter(read);
    QCOMPARE(read.ssid, QString());
}

void TestSettingsStore::applyToAdapterCallOrder() {
    store().applyToAdapter(sampleSettings());
    QCOMPARE(simCalls({QStringLiteral("Set")}),
             (QStringList{
                 "SetWL_PSMode(1)", "SetWL_PSLevel(3)", "SetWL_FragmentationThreshold(1024)",
                 "SetWL_RTS_CTS_Threshold(512)", "SetWL_27_5Mbps(1)", "SetWL_AuthenticationMode(2)",
                 "SetWL_WriteKey(0,0,0,\"0102030405\")", "SetWL_WriteKey(1,0,0,\"1112131415\")",
                 "SetWL_WriteKey(2,0,1,\"2122232425\")", "SetWL_WriteKey(3,0,0,\"3132333435\")",
                 "SetWL_WEPStatus(1)", "SetWL_Channel(11)", "SetWL_TxRateControl(8)",
                 "SetWL_NetworkType(0)", "SetWL_SSID(\"Office-Net\")"}));
}

void TestSettingsStore::applyToAdapterRecords() {
    store().applyToAdapter(sampleSettings());
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

void TestSettingsStore::applyToAdapterWepCodes_data() {
    QTest::addColumn<int>("wepStatus");
    QTest::addColumn<int>("wepBit");
    QTest::addColumn<QString>("statusText");
    QTest::newRow("off, 64-bit") << 0 << 0 << QStringLiteral("0");
    QTest::newRow("off, 128-bit") << 0 << 1 << QStringLiteral("0");
    QTest::newRow("on, 64-bit") << 1 << 0 << QStringLiteral("2");
    QTest::newRow("on, 128-bit") << 1 << 1 << QStringLiteral("6");
}

void TestSettingsStore::applyToAdapterWepCodes() {
    QFETCH(int, wepStatus);
    QFETCH(int, wepBit);
    QFETCH(QString, statusText);

    WirelessSettings s = sampleSettings();
    s.wepStatus = wepStatus;
    s.wepBit = wepBit;
    if (wepBit != 0)
        s.keys = {QStringLiteral("00112233445566778899AABBCC"), QString(26, u'1'),
                  QString(26, u'2'), QString(26, u'3')};
    store().applyToAdapter(s);

    QCOMPARE(recorded("WEPStatus"), statusText);
    QCOMPARE(recorded("WEPDefaultKeys").size(), wepBit != 0 ? 104 : 40);
    const QStringList keyCalls = callsOf(QStringLiteral("SetWL_WriteKey"));
    QCOMPARE(keyCalls.size(), 4);
    QCOMPARE(keyCalls.first(),
             wepBit != 0 ? QStringLiteral("SetWL_WriteKey(0,1,0,\"00112233445566778899aabbcc\")")
                         : QStringLiteral("SetWL_WriteKey(0,0,0,\"0102030405\")"));
}

void TestSettingsStore::applyToAdapterWithoutFullAccess() {
    adapter().registryKey += QStringLiteral("\\Missing");
    const QByteArray before = hiveText(Hive::LocalMachine);
    store().applyToAdapter(sampleSettings());
    QCOMPARE(hiveText(Hive::LocalMachine), before);
    // The adapter still receives every setting.
    QCOMPARE(simCalls({QStringLiteral("Set")}).size(), 15);
}

void TestSettingsStore::factoryDefaultsRecord() {
    store().applyToAdapter(SettingsStore::factoryDefaults());
    QCOMPARE(recorded("RFChannel"), QStringLiteral("6"));
    QCOMPARE(recorded("TxDataRate"), QStringLiteral("15"));
    QCOMPARE(recorded("27_5Mbps"), QStringLiteral("0"));
    QCOMPARE(recorded("WEPStatus"), QStringLiteral("0"));
    QCOMPARE(recorded("WEPDefaultKeyId"), QStringLiteral("1"));
    QCOMPARE(recorded("WEPDefaultKeys"), QStringLiteral("3C5A7E9B2D").repeated(4));
    QCOMPARE(recorded("FragmentThreshold"), QStringLiteral("2305"));
    QCOMPARE(recorded("SSID"), QString());
}

void TestSettingsStore::applyWepStatus_data() {
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
    // Only exactly 104 digits mean 128-bit keys here.
    QTest::newRow("105 digits: 64-bit keys")
        << long0.repeated(4) + QStringLiteral("F") << 1 << 0
        << QStringList{"SetWL_WriteKey(0,0,1,\"0011223344\")",
                       "SetWL_WriteKey(1,0,0,\"5566778899\")",
                       "SetWL_WriteKey(2,0,0,\"aabbcc0011\")",
                       "SetWL_WriteKey(3,0,0,\"2233445566\")", "SetWL_WEPStatus(1)"}
        << QStringLiteral("2") << QStringLiteral("1");
    QTest::newRow("unreadable keys: zero bytes")
        << QStringLiteral("<missing>") << 1 << 0
        << QStringList{"SetWL_WriteKey(0,0,1,\"0000000000\")",
                       "SetWL_WriteKey(1,0,0,\"0000000000\")",
                       "SetWL_WriteKey(2,0,0,\"0000000000\")",
                       "SetWL_WriteKey(3,0,0,\"0000000000\")", "SetWL_WEPStatus(1)"}
        << QStringLiteral("2") << QStringLiteral("1");
    QTest::newRow("off") << digits40 << 0 << 2 << QStringList{"SetWL_WEPStatus(0)"}
                         << QStringLiteral("0") << QStringLiteral("3");
}

void TestSettingsStore::applyWepStatus() {
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

    store().applyWepStatus(enabled, keyIndex);
    QCOMPARE(simCalls({QStringLiteral("Set"), QStringLiteral("WriteOid")}), calls);
    QCOMPARE(recorded("WEPStatus"), statusText);
    QCOMPARE(recorded("WEPDefaultKeyId"), keyIdText);
}

void TestSettingsStore::applyWepStatusDefaultKey_data() {
    QTest::addColumn<int>("forced"); // QueryWL_DefaultKeyID answer; 99: not forced
    QTest::addColumn<QString>("keyIdText");
    QTest::newRow("adapter's default key") << 99 << QStringLiteral("3");
    QTest::newRow("query fails: key 0") << -1 << QStringLiteral("1");
    QTest::newRow("out of range: key 0") << 7 << QStringLiteral("1");
}

void TestSettingsStore::applyWepStatusDefaultKey() {
    QFETCH(int, forced);
    QFETCH(QString, keyIdText);
    QCOMPARE(kxsim_set_int(nullptr, "default_key_id", 2), 0);
    if (forced != 99)
        kxsim_force("QueryWL_DefaultKeyID", forced);

    store().applyWepStatus(0, -1);
    QCOMPARE(recorded("WEPDefaultKeyId"), keyIdText);
}

void TestSettingsStore::applyWepStatusOnAccessPointResendsSsid() {
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx, kAccessPointLine), 0);
    QVERIFY(adapter().accessPointMode);
    record("SSID", QStringLiteral("KX-AP"));
    clearSimTrace();

    store().applyWepStatus(0, 0);
    QCOMPARE(callNames({QStringLiteral("Set"), QStringLiteral("WriteOid")}),
             (QStringList{"SetWL_WEPStatus", "WriteOid"}));
}

void TestSettingsStore::resendSsid_data() {
    QTest::addColumn<QString>("stored"); // "<missing>": no value
    QTest::addColumn<int>("forced");     // WriteOid answer; 99: not forced
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("calls");

    const QString pad = QStringLiteral("00").repeated(27);
    QTest::newRow("SSID") << QStringLiteral("KX-AP") << 99 << 0
                          << QStringList{"WriteOid(4278321586,\"050000004b582d4150" + pad +
                                         "\",36)"};
    QTest::newRow("longer than 32: first 32")
        << QString(40, u'A') << 99 << 0
        << QStringList{"WriteOid(4278321586,\"20000000" + QStringLiteral("41").repeated(32) +
                       "\",36)"};
    QTest::newRow("nothing recorded: nothing sent")
        << QStringLiteral("<missing>") << 99 << -1 << QStringList{};
    QTest::newRow("driver fails") << QStringLiteral("KX-AP") << -1 << -1
                                  << QStringList{"WriteOid(4278321586,\"050000004b582d4150" + pad +
                                                 "\",36)"};
}

void TestSettingsStore::resendSsid() {
    QFETCH(QString, stored);
    QFETCH(int, forced);
    QFETCH(int, result);
    QFETCH(QStringList, calls);
    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "SSID");
    if (stored != QStringLiteral("<missing>"))
        record("SSID", stored);
    if (forced != 99)
        kxsim_force("WriteOid", forced);

    QCOMPARE(store().resendSsid(), result);
    QCOMPARE(simCalls({QStringLiteral("WriteOid")}), calls);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
