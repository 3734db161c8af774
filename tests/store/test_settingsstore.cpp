#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <QFile>
#include <QTest>

#include "adapter/AdapterState.h"
#include "platform/Registry.h"
#include "program/UserProfile.h"
#include "store/SettingsStore.h"
#include "tests/store/SampleSettings.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr int kStationLine = 0;

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

} // namespace

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
    void deletingKeepsTheRestOfTheList();
    void profileRoundTrip();
    void missingProfileValues();
    void emptyCursorTouchesNothing();
    void loopingChainEnds_data();
    void loopingChainEnds();

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
    QVERIFY(store().writeAdapterValue(AdapterValue::Channel, 11).ok());
    QVERIFY(store().writeAdapterValue(AdapterValue::FragmentThreshold, -1).ok());
    QVERIFY(store().writeAdapterValue(AdapterValue::Ssid, QStringLiteral("Caf\u00e9 Net")).ok());

    // Text values, never DWORDs: the driver reads decimal text.
    const QByteArray hive = hiveText(Hive::LocalMachine);
    QVERIFY2(hive.contains("\"RFChannel\"=\"11\""), hive.constData());
    QVERIFY(hive.contains("\"FragmentThreshold\"=\"-1\""));
    QCOMPARE(recorded("SSID"), QStringLiteral("Caf\u00e9 Net"));
}

// A failed write names the file and why, so the user can be told where and what.
void TestSettingsStore::writeAdapterValueNeverCreatesTheKey() {
    const QString hiveFile =
        QString::fromStdString(Registry::hiveFile(Hive::LocalMachine).string());
    const QString missing = adapter().registryKey + QStringLiteral("\\Missing");
    adapter().registryKey = missing;
    const StoreResult noKey = store().writeAdapterValue(AdapterValue::Channel, 3);
    QVERIFY(!noKey.ok());
    QCOMPARE(noKey.file, hiveFile);
    QVERIFY2(noKey.reason.contains(missing), qPrintable(noKey.reason));
    QVERIFY(!Registry::keyExists(Hive::LocalMachine, missing.toStdString()));

    adapter().registryKey.clear();
    const QByteArray before = hiveText(Hive::LocalMachine);
    const StoreResult noAdapter = store().writeAdapterValue(AdapterValue::Channel, 3);
    QVERIFY(!noAdapter.ok());
    QCOMPARE(noAdapter.file, hiveFile);
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
        [this] { return store().writeAdapterValue(AdapterValue::Channel, 3).ok() ? 1 : 0; });
    const QByteArray after = hiveText(Hive::LocalMachine);
    fs::permissions(hive.parent_path(), fs::perms::owner_all);
    fs::permissions(hive, fs::perms::owner_read | fs::perms::owner_write);
    QCOMPARE(result, 0); // the write answered a failure
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

    Registry::deleteValue(Hive::LocalMachine, adapterKey(), "WEPDefaultKeys");
    if (asDword)
        QCOMPARE(Registry::writeDword(Hive::LocalMachine, adapterKey(), "WEPDefaultKeys",
                                      stored.toUInt()),
                 0);
    else if (!stored.isEmpty())
        record("WEPDefaultKeys", stored);

    QString out = QStringLiteral("stale");
    QCOMPARE(store().readAdapterValue(AdapterValue::WepDefaultKeys, out, size), result);
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
    QCOMPARE(store().writeProfile(WirelessSettings{}), 0);

    WirelessSettings read = sampleSettings();
    QCOMPARE(store().findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store().readProfile(read), 0);
    QCOMPARE(read, WirelessSettings{});
    QCOMPARE(store().profileNames(), QStringList{QStringLiteral("Home")});
}

void TestSettingsStore::deletingKeepsTheRestOfTheList() {
    for (const char* name : {"Home", "Office", "Lab", "Cafe"}) {
        QCOMPARE(store().createProfile(QString::fromLatin1(name)), 0);
        QCOMPARE(store().findProfile(QString::fromLatin1(name)), 0);
        QCOMPARE(store().writeProfile(sampleSettings()), 0);
    }
    // The middle, the first and the last: the list always goes round the gap.
    QCOMPARE(store().deleteProfile(QStringLiteral("Office")), 0);
    QCOMPARE(store().profileNames(), (QStringList{"Home", "Lab", "Cafe"}));
    QCOMPARE(store().deleteProfile(QStringLiteral("Home")), 0);
    QCOMPARE(userLink(userKey()), QStringLiteral("Lab"));
    QCOMPARE(store().deleteProfile(QStringLiteral("Cafe")), 0);
    QCOMPARE(userLink(profileKey(QStringLiteral("Lab"))), QStringLiteral("<missing>"));
    QCOMPARE(store().profileNames(), QStringList{"Lab"});
    // The values go with the name, so a new profile of that name starts empty.
    QVERIFY(!Registry::keyExists(Hive::CurrentUser, profileKey(QStringLiteral("Office"))));

    // Exactly the name: another letter case or a name not listed deletes nothing.
    const QByteArray before = hiveText(Hive::CurrentUser);
    QCOMPARE(store().deleteProfile(QStringLiteral("lab")), -1);
    QCOMPARE(store().deleteProfile(QStringLiteral("Office")), -1);
    QCOMPARE(hiveText(Hive::CurrentUser), before);
    QCOMPARE(store().deleteProfile(QStringLiteral("Lab")), 0);
    QCOMPARE(store().profileNames(), QStringList{});
    QCOMPARE(userLink(userKey()), QStringLiteral("<missing>"));
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

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
