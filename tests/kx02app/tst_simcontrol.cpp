// The simulated driver's contract at its edges: refused arguments, forced results,
// the call trace, scenario files, and the engineering objects.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

using Setter = std::int32_t (*)(WLAdapterInfo*, std::int32_t);
using Getter = std::int32_t (*)(WLAdapterInfo*);

// What the library writes to stderr while `action` runs.
template <typename Action> QByteArray stderrOf(Action action) {
    QTemporaryFile capture;
    capture.open();
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(capture.handle(), 2);
    action();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    capture.seek(0);
    return capture.readAll();
}

int adapterCount() {
    WLAdapterListEntry entries[WL_ADAPTER_LIST_MAX];
    return CreateAllNICAdapterList(entries, WL_ADAPTER_LIST_MAX);
}

QJsonObject lastCall() {
    return QJsonDocument::fromJson(QByteArray::fromStdString(lastTraceLine())).object();
}

} // namespace

class TestSimControl : public QObject {
    Q_OBJECT

private slots:
    void recordsThatAreNotOpenFail();
    void outOfRangeIsRefused_data();
    void outOfRangeIsRefused();
    void shortBuffersAreNeverOverrun();
    void adapterListIsBounded();
    void forcedResults();
    void traceLines();
    void traceFile();
    void garbageScenarioFallsBackToDefault_data();
    void garbageScenarioFallsBackToDefault();
    void unknownKeysAreWarnedAndIgnored();
    void rawBytesOfANameAreNamedAsSuch();
    void scenarioThatIsNoSmallFile_data();
    void scenarioThatIsNoSmallFile();
    void scenarioFieldsReachTheWorld();
    void accessPointStationsAndFilter();
    void registersAndObjects();
    void continuousTransmission();
    void versionsHostAndWzc();
};

void TestSimControl::recordsThatAreNotOpenFail() {
    TestEnv env;
    QCOMPARE(QueryWL_Channel(nullptr), -1);
    QCOMPARE(KxOpenAdapter(nullptr), 0);
    SimRecord unknown("NO_SUCH_ADAPTER");
    QCOMPARE(unknown.opened, 0);
    QCOMPARE(unknown->handle, -1);
    QCOMPARE(QueryWL_DesiredChannel(unknown.get()), -1);

    WLAdapterInfo unterminated{};
    std::memset(unterminated.name, 'A', sizeof unterminated.name);
    unterminated.handle = -1;
    QCOMPARE(KxOpenAdapter(&unterminated), 0);

    SimRecord r;
    const std::int32_t handle = r->handle;
    QVERIFY(handle != -1);
    r->handle = -1;
    QCOMPARE(QueryWL_DesiredChannel(r.get()), -1);
    r->handle = handle + 1;
    QCOMPARE(QueryWL_DesiredChannel(r.get()), -1);
    r->handle = handle;
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 6);
    QCOMPARE(KxCloseAdapter(r.get()), 0);
    r->handle = handle;
    QCOMPARE(QueryWL_DesiredChannel(r.get()), -1);

    QCOMPARE(kxsim_set_int("0008", "opens", 0), 0);
    SimRecord never(kCardName);
    QCOMPARE(never.opened, 0);
}

void TestSimControl::outOfRangeIsRefused_data() {
    QTest::addColumn<void*>("set");
    QTest::addColumn<void*>("get");
    QTest::addColumn<QList<int>>("refused");
    QTest::addColumn<int>("accepted");
    const auto row = [](const char* tag, Setter s, Getter g, QList<int> bad, int good) {
        QTest::newRow(tag) << reinterpret_cast<void*>(s) << reinterpret_cast<void*>(g) << bad
                           << good;
    };
    row("channel", SetWL_Channel, QueryWL_DesiredChannel, {0, 15, -1}, 14);
    row("rate", SetWL_TxRateControl, QueryWL_TxRateControl, {0, 48, 128, -1}, 64);
    row("network type", SetWL_NetworkType, QueryWL_NetworkType, {2, 5, -1}, 3);
    row("authentication", SetWL_AuthenticationMode, QueryWL_AuthenticationMode, {0, 4, -1}, 2);
    row("WEP", SetWL_WEPStatus, QueryWL_WEPStatus, {2, -1}, 1);
    row("power save", SetWL_PSMode, QueryWL_PSMode, {2, -1}, 1);
    row("power save level", SetWL_PSLevel, QueryWL_PSLevel, {5, -1}, 4);
    row("fragmentation", SetWL_FragmentationThreshold, QueryWL_FragmentationThreshold,
        {255, 2307, -1}, 256);
    row("RTS/CTS", SetWL_RTS_CTS_Threshold, QueryWL_RTS_CTS_Threshold, {2306, -1}, 0);
    row("preamble", SetWL_PreambleMode, QueryWL_PreambleMode, {0, 4, -1}, 1);
    row("27.5", SetWL_27_5Mbps, QueryWL_27_5Mbps, {2, -1}, 1);
    row("basic rate", SetWL_BasicRate, QueryWL_BasicRate, {16, -1}, 15);
    row("AP hide", SetWLAP_HideSSIDState, QueryWLAP_HideSSIDState, {2, -1}, 1);
    row("AP power", SetWLAP_TxPowerLevel, QueryWLAP_TxPowerLevel, {4, -1}, 3);
    row("AP fragmentation", SetWLAP_FragmentationThreshold, QueryWLAP_FragmentationThreshold,
        {2307, 0, -1}, 2306);
    row("AP RTS/CTS", SetWLAP_RTS_CTS_Threshold, QueryWLAP_RTS_CTS_Threshold, {2306, -1}, 2305);
    row("AP filter", SetWLAP_FilterMode, QueryWLAP_FilterMode, {3, -1}, 2);
}

void TestSimControl::outOfRangeIsRefused() {
    QFETCH(void*, set);
    QFETCH(void*, get);
    QFETCH(QList<int>, refused);
    QFETCH(int, accepted);
    TestEnv env;
    SimRecord r;
    const auto setter = reinterpret_cast<Setter>(set);
    const auto getter = reinterpret_cast<Getter>(get);
    const std::int32_t before = getter(r.get());
    for (int value : refused) {
        QCOMPARE(setter(r.get(), value), -1);
        QCOMPARE(getter(r.get()), before);
    }
    QCOMPARE(setter(r.get(), accepted), 0);
    QCOMPARE(getter(r.get()), accepted);
}

void TestSimControl::shortBuffersAreNeverOverrun() {
    TestEnv env;
    SimRecord usb(kUsbName);
    std::vector<std::uint8_t> buffer(300, 0xCD);
    const auto untouched = [&] {
        return std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xCD; });
    };
    QCOMPARE(QueryWLAP_FilterList(usb.get(), buffer.data(), 111), -1);
    QCOMPARE(SetWLAP_FilterList(usb.get(), buffer.data(), -5), -1);
    QCOMPARE(WL_RetrieveStationList(usb.get(), buffer.data(), 223), -1);
    QCOMPARE(ReadOid(usb.get(), WL_OID_CURRENT_ADDRESS, buffer.data(), 5), -1);
    QCOMPARE(ReadOid(usb.get(), WL_OID_AP_SSID, buffer.data(), 35), -1);
    QCOMPARE(ReadOid(usb.get(), 0x12345678, buffer.data(), 300), -1);
    QCOMPARE(ReadOid(usb.get(), WL_OID_CURRENT_ADDRESS, nullptr, 6), -1);
    QVERIFY(untouched());
    QCOMPARE(ReadOid(usb.get(), WL_OID_CURRENT_ADDRESS, buffer.data(), 300), 0);
    QCOMPARE(buffer[6], 0xCD);

    const std::string tooLong(33, 'x');
    QCOMPARE(SetWL_SSID(usb.get(), tooLong.c_str()), -1);
    QCOMPARE(SetWLAP_SSID(usb.get(), tooLong.c_str()), -1);
    QCOMPARE(SetWL_SSID(usb.get(), nullptr), -1);
    QCOMPARE(SetWL_WriteKey(usb.get(), 0, 2, 1, buffer.data()), -1);
    QCOMPARE(SetWL_WriteKey(usb.get(), 4, 0, 1, buffer.data()), -1);
    QCOMPARE(SetWL_WriteKey(usb.get(), 0, 0, 1, nullptr), -1);
    QCOMPARE(SetWL_DesiredBSSID(usb.get(), nullptr), -1);
    QCOMPARE(QueryWL_SSID(usb.get(), nullptr), -1);
    QCOMPARE(GetNICAdapterTally(usb.get(), nullptr), -1);
    QCOMPARE(GetTxRxFrameCount(usb.get(), nullptr), -1);
    QCOMPARE(QueryWL_ReadPHYRegister(usb.get(), 9, nullptr), -1);
    QCOMPARE(QueryWL_FirmwareVersion(usb.get(), nullptr), -1);
}

void TestSimControl::adapterListIsBounded() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario((R"({"adapters": [{"name": ")" + std::string(259, 'N') +
                                  R"(", "instance": "0042", "hardware_id": "PCI\\VEN_0000"},
                       {"name": "B", "instance": "0043", "hardware_id": "USB\\X"},
                       {"name": "C", "instance": "0044", "hardware_id": "USB\\Y"}]})")
                                     .c_str()),
             0);
    WLAdapterListEntry entries[3];
    std::memset(entries, 0xCD, sizeof entries);
    QCOMPARE(CreateAllNICAdapterList(entries, 2), 2);
    QCOMPARE(std::strlen(entries[0].name), 259u);
    QCOMPARE(std::string(entries[1].instance), std::string("0043"));
    QCOMPARE(static_cast<unsigned char>(entries[2].name[0]), 0xCD);
    QCOMPARE(CreateAllNICAdapterList(nullptr, 2), 0);
    QCOMPARE(CreateNICAdapterList(entries, -1), 0);
    // A world of more adapters than the list can hold keeps those it can list, and starts
    // at once: their keys go into the hive in one write.
    std::string many = R"({"adapters": [)";
    for (int i = 0; i < 3000; ++i) {
        char adapter[100];
        std::snprintf(adapter, sizeof adapter,
                      R"(%s{"name": "A%d", "instance": "%04d", "hardware_id": "PCI\\VEN_%d"})",
                      i ? "," : "", i, i, i);
        many += adapter;
    }
    many += "]}";
    QElapsedTimer timer;
    timer.start();
    const QByteArray warned = stderrOf([&] { QCOMPARE(kxsim_load_scenario(many.c_str()), 0); });
    QCOMPARE(adapterCount(), WL_ADAPTER_LIST_MAX);
    SimRecord last("A49");
    QCOMPARE(last.opened, 1);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(warned.contains("only the first 50 of 3000 adapters are used"), warned.constData());
    // A scenario instance longer than the four characters of the field is refused.
    QCOMPARE(kxsim_load_scenario(
                 R"({"adapters": [{"name": "A", "instance": "12345", "hardware_id": "X"}]})"),
             -1);
}

void TestSimControl::forcedResults() {
    TestEnv env;
    SimRecord r;
    kxsim_force("QueryWL_PortStatus", 7);
    QCOMPARE(QueryWL_PortStatus(r.get()), 7);
    QCOMPARE(lastCall().value("ret").toInt(), 7);
    kxsim_force("QueryWL_SSID", -1);
    char ssid[WL_SSID_BUFFER_MIN] = "unchanged";
    QCOMPARE(QueryWL_SSID(r.get(), ssid), -1);
    QCOMPARE(std::string(ssid), std::string("unchanged"));
    kxsim_force("SetWL_Channel", 0);
    QCOMPARE(SetWL_Channel(r.get(), 11), 0);
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 6); // forced results never touch the state
    kxsim_clear_force("QueryWL_PortStatus");
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    kxsim_clear_force(nullptr);
    QCOMPARE(QueryWL_SSID(r.get(), ssid), 0);

    QCOMPARE(kxsim_load_scenario(R"({"overrides": {"KX_GetOSVersion": 5, "KxOpenAdapter": 0}})"),
             0);
    QCOMPARE(KX_GetOSVersion(), 5);
    QCOMPARE(SimRecord().opened, 0);
    QCOMPARE(adapterCount(), 3);
}

void TestSimControl::traceLines() {
    TestEnv env;
    SimRecord r;
    kxsim_trace_clear();
    QCOMPARE(SetWL_SSID(r.get(), "Tolva"), 0);
    QCOMPARE(lastTraceLine(), std::string(R"({"fn":"SetWL_SSID","args":["Tolva"],"ret":0})"));
    const std::uint8_t key[13] = {0x0A, 0xB1, 0x02, 0x03, 0x04, 9, 9, 9, 9, 9, 9, 9, 9};
    SetWL_WriteKey(r.get(), 2, 0, 1, key);
    QCOMPARE(lastTraceLine(),
             std::string(R"({"fn":"SetWL_WriteKey","args":[2,0,1,"0ab1020304"],"ret":0})"));
    std::int32_t q, s, p;
    QueryWL_CQSLCurrBSS(r.get(), &q, &s, &p);
    QCOMPARE(lastCall().value("args").toArray(),
             (QJsonArray{QJsonValue(), QJsonValue(), QJsonValue()}));
    QCOMPARE(adapterCount(), 3);
    QCOMPARE(lastTraceLine(),
             std::string(R"({"fn":"CreateAllNICAdapterList","args":[null,50],"ret":3})"));
    QCOMPARE(SetWL_Channel(r.get(), 99), -1);
    QCOMPARE(lastTraceLine(), std::string(R"({"fn":"SetWL_Channel","args":[99],"ret":-1})"));

    QCOMPARE(kxsim_trace_count(), 5);
    const int length = kxsim_trace_line(4, nullptr, 0);
    QCOMPARE(length, 43);
    char shortBuffer[8];
    std::memset(shortBuffer, 'x', sizeof shortBuffer);
    QCOMPARE(kxsim_trace_line(4, shortBuffer, 6), length);
    QCOMPARE(std::string(shortBuffer), std::string(R"({"fn")"));
    QCOMPARE(shortBuffer[6], 'x');
    QCOMPARE(kxsim_trace_line(5, nullptr, 0), -1);
    QCOMPARE(kxsim_trace_line(-1, nullptr, 0), -1);
}

void TestSimControl::traceFile() {
    TestEnv env;
    const QString path = env.path() + "/trace.jsonl";
    qputenv("KX02APP_TRACE", path.toUtf8());
    kxsim_reset();
    // As in the program, which never asks for the lines: the file still gets each one.
    kxsim_keep_trace(0);
    QCOMPARE(QueryWL_IsWindows2000(), 1);
    QCOMPARE(kxsim_trace_count(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(R"({"fn":"QueryWL_IsWindows2000","args":[],"ret":1})"
                                        "\n"));
    kxsim_keep_trace(1);
    kxsim_reset();
    QCOMPARE(QueryWL_IsWindows2000(), 1);
    QCOMPARE(kxsim_trace_count(), 1);
    qunsetenv("KX02APP_TRACE");
    kxsim_reset();
}

void TestSimControl::garbageScenarioFallsBackToDefault_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("not JSON") << QByteArray("adapters: none {");
    QTest::newRow("a list") << QByteArray("[1, 2]");
    QTest::newRow("adapters not a list") << QByteArray(R"({"adapters": 3})");
    QTest::newRow("channel 15") << QByteArray(R"({"networks": [{"ssid": "A", "channel": 15}]})");
    QTest::newRow("9-digit key") << QByteArray(
        R"({"networks": [{"ssid": "A", "wep": "123456789"}]})");
    QTest::newRow("bad MAC") << QByteArray(
        R"({"adapters": [{"name": "A", "instance": "1", "hardware_id": "X", "mac": "00:11"}]})");
    QTest::newRow("bad firmware") << QByteArray(
        R"({"adapters": [{"name": "A", "instance": "1", "hardware_id": "X", "firmware": "router"}]})");
    QTest::newRow("more lost than sent")
        << QByteArray(R"({"per_source": {"frames": 10, "lost": 11}})");
    QTest::newRow("override not a number")
        << QByteArray(R"({"overrides": {"KxOpenAdapter": "no"}})");
    // Numbers past 64-bit signed range must not wrap into -1 or INT32_MIN.
    QTest::newRow("override 2^64 - 1")
        << QByteArray(R"({"overrides": {"KxOpenAdapter": 18446744073709551615}})");
    QTest::newRow("override 2^64 - 2^31")
        << QByteArray(R"({"overrides": {"KxOpenAdapter": 18446744071562067968}})");
    QTest::newRow("channel 2^64 + 6 wraps to nothing")
        << QByteArray(R"({"networks": [{"ssid": "A", "channel": 18446744073709551622}]})");
}

void TestSimControl::garbageScenarioFallsBackToDefault() {
    QFETCH(QByteArray, text);
    TestEnv env;
    const QString path = env.path() + "/scenario.json";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    qputenv("KX02APP_SCENARIO", path.toUtf8());
    const QByteArray err = stderrOf([] { kxsim_reset(); });
    qunsetenv("KX02APP_SCENARIO");
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.startsWith("kx02app: "));
    QVERIFY(err.contains("built-in"));
    QCOMPARE(adapterCount(), 3);
    QCOMPARE(stderrOf([&] { QCOMPARE(kxsim_load_scenario(text.constData()), -1); }).count('\n'), 1);
    QCOMPARE(adapterCount(), 3);
}

void TestSimControl::unknownKeysAreWarnedAndIgnored() {
    TestEnv env;
    const QByteArray err = stderrOf([] {
        QCOMPARE(kxsim_load_scenario(R"({"colour": "red", "adapters": [
            {"name": "Solo", "instance": "0100", "hardware_id": "USB\\VID_1D5A&PID_3101",
             "size": 3}], "networks": []})"),
                 0);
    });
    QCOMPARE(err.count('\n'), 2);
    QVERIFY(err.contains("colour"));
    QCOMPARE(adapterCount(), 1);
    SimRecord r("Solo");
    QCOMPARE(r.opened, 1);
    kxsim_advance(5000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
}

void TestSimControl::rawBytesOfANameAreNamedAsSuch() {
    TestEnv env;
    const QByteArray err = stderrOf(
        [] { QCOMPARE(kxsim_load_scenario("{\"networks\": [{\"ssid\": \"Caf\xE9\"}]}"), -1); });
    QVERIFY2(err.contains("line 1 holds the byte \\xE9, which is no UTF-8 text"), err.constData());
}

void TestSimControl::scenarioThatIsNoSmallFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("pipe without writer") << "fifo";
    QTest::newRow("endless device") << "device";
    QTest::newRow("far too large") << "large";
}

void TestSimControl::scenarioThatIsNoSmallFile() {
    QFETCH(QString, kind);
    TestEnv env;
    QString path = env.path() + "/scenario";
    if (kind == "directory")
        path = env.path();
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "device")
        path = "/dev/zero";
    else if (kind == "large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(64 * 1024 * 1024)); // sparse: costs no disk
    }
    qputenv("KX02APP_SCENARIO", QFile::encodeName(path));
    const QByteArray err = stderrOf([] { kxsim_reset(); });
    qunsetenv("KX02APP_SCENARIO");
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.contains("built-in"));
    QCOMPARE(adapterCount(), 3);
}

void TestSimControl::scenarioFieldsReachTheWorld() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(R"({"seed": 7, "adapters": [
        {"name": "Desk", "description": "Desk access point", "instance": "0201",
         "hardware_id": "USB\\VID_1D5A&PID_3101", "mac": "00:16:3E:AA:BB:CC",
         "firmware": "access_point", "stations": ["00:16:3E:01:02:03"]},
        {"name": "Dead", "instance": "0202", "hardware_id": "PCI\\X", "opens": false},
        {"name": "Managed", "instance": "0203", "hardware_id": "PCI\\Y", "wzc": 1}],
        "networks": [{"ssid": "Odd", "bssid": "00:0A:1B:2C:3D:60", "channel": 4, "mode": 2,
                      "wep": null, "signal": 70, "quality": 80}]})"),
             0);
    QCOMPARE(adapterCount(), 3);

    SimRecord desk("Desk");
    QVERIFY(desk.opened != 0);
    QCOMPARE(simText("Desk", "description"), std::string("Desk access point"));
    QCOMPARE(QueryWL_FirmwareMode_STA_AP(desk.get()), 1);
    std::uint8_t mac[WL_MAC_BYTES] = {};
    QCOMPARE(GetNICAdapterMAC(desk.get(), mac), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(mac), WL_MAC_BYTES).toHex(),
             QByteArray("00163eaabbcc"));
    std::uint8_t stations[WL_STATION_LIST_BYTES];
    QCOMPARE(WL_RetrieveStationList(desk.get(), stations, sizeof stations), 1);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(stations), 7).toHex(),
             QByteArray("0100163e010203"));

    QCOMPARE(SimRecord("Dead").opened, 0);

    SimRecord managed("Managed");
    QVERIFY(managed.opened != 0);
    QCOMPARE(QueryWL_CheckWZCStatus(managed.get()), 1);
    QCOMPARE(QueryWL_FirmwareMode_STA_AP(managed.get()), 0);
    // An infrastructure-mode value other than 1 is reported as it is.
    WLSurveyBuffer survey{};
    QCOMPARE(WL_SiteSurveyStart(managed.get()), 0);
    QCOMPARE(WL_RetrieveSiteSurveyData(managed.get(), &survey, WL_SURVEY_MAX_RECORDS), 1);
    QCOMPARE(survey.records[0].infrastructureMode, 2u);
    QCOMPARE(survey.records[0].frequencyKHz, 2427000u);
    QVERIFY(qAbs(survey.records[0].signal - 70) <= 5); // seeded jitter around the level
    QCOMPARE(QByteArray(reinterpret_cast<char*>(survey.records[0].ssid),
                        int(survey.records[0].ssidLength)),
             QByteArray("Odd"));
}

void TestSimControl::accessPointStationsAndFilter() {
    TestEnv env;
    SimRecord r(kUsbName);
    QCOMPARE(QueryWL_FirmwareMode_STA_AP(r.get()), 1);
    std::uint8_t stations[WL_STATION_LIST_BYTES];
    QCOMPARE(WL_RetrieveStationList(r.get(), stations, sizeof stations), 2);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(stations), 14).toHex(' '),
             QByteArray("01 00 16 3e 11 22 33 01 00 16 3e 44 55 66"));
    std::uint8_t table[WL_FILTER_TABLE_BYTES] = {1, 0x00, 0x16, 0x3E, 0x11, 0x22, 0x33};
    QCOMPARE(SetWLAP_FilterList(r.get(), table, sizeof table), 0);
    QCOMPARE(SetWLAP_FilterMode(r.get(), 2), 0);
    QCOMPARE(WL_RetrieveStationList(r.get(), stations, sizeof stations), 1);
    QCOMPARE(stations[6], 0x66);
    QCOMPARE(SetWLAP_FilterMode(r.get(), 1), 0);
    QCOMPARE(WL_RetrieveStationList(r.get(), stations, sizeof stations), 1);
    QCOMPARE(stations[6], 0x33);

    // The firmware object the program uses to resend the SSID.
    std::uint8_t block[36] = {5, 0, 0, 0, 'A', 'P', 'N', 'e', 't'};
    QCOMPARE(WriteOid(r.get(), WL_OID_AP_SSID, block, sizeof block), 0);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    QCOMPARE(QueryWLAP_SSID(r.get(), ssid), 0);
    QCOMPARE(std::string(ssid), std::string("APNet"));
    block[0] = 33;
    QCOMPARE(WriteOid(r.get(), WL_OID_AP_SSID, block, sizeof block), -1);
    kxsim_advance(2000);
    QCOMPARE(QueryWL_Channel(r.get()), 6);
    QCOMPARE(SetWL_Channel(r.get(), 11), 0);
    QCOMPARE(QueryWL_Channel(r.get()), 11);
}

void TestSimControl::registersAndObjects() {
    TestEnv env;
    SimRecord pci;
    SimRecord card(kCardName);
    std::int32_t value = 0;
    QCOMPARE(QueryWL_ReadPHYRegister(card.get(), 9, &value), 0);
    QCOMPARE(value, 0x1C);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 9, 0x100), -1);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 256, 1), -1);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 9, 0x04), 0);
    QCOMPARE(QueryWL_ReadPHYRegister(card.get(), 9, &value), 0);
    QCOMPARE(value, 0x04);

    std::uint32_t gain = 0;
    QCOMPARE(SetWL_WriteMACRegister(card.get(), 0x600044, 7), 0);
    QCOMPARE(QueryWL_ReadMACRegister(card.get(), 0x600048, &gain), 0);
    QCOMPARE(gain, 0x85u);
    QCOMPARE(SetWL_WriteMACRegister(card.get(), 0x600044, 3 * 4096 + 2 * 256 + 0x87), 0);
    QCOMPARE(SetWL_WriteMACRegister(card.get(), 0x600044, 7), 0);
    QCOMPARE(QueryWL_ReadMACRegister(card.get(), 0x600048, &gain), 0);
    QCOMPARE(gain, 0x32u);

    std::uint32_t request[2] = {0x8000, 0xCAFE};
    QCOMPARE(WriteOid(pci.get(), WL_OID_MEMORY_WRITE, request, 8), 0);
    request[1] = 0;
    QCOMPARE(ReadOid(pci.get(), WL_OID_MEMORY_READ, request, 8), 0);
    QCOMPARE(request[0], 0xCAFEu);
    QCOMPARE(ReadOid(card.get(), WL_OID_MEMORY_READ, request, 8), -1);

    std::vector<std::uint32_t> debug(1040 / 4, 0);
    debug[0] = 0x9000;
    debug[1] = 0x1234;
    QCOMPARE(WriteOid(pci.get(), WL_OID_OLD_DEBUG, debug.data(), 1040), 0);
    QCOMPARE(debug[2], 4u);
    QCOMPARE(debug[3], 0x1234u);

    WLTestCommand step{0x41, 1, 0, 0};
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &step, sizeof step), 0);
    QCOMPARE(step.value, 9);
    step = {0x41, static_cast<std::uint16_t>(-20), 0, 0};
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &step, sizeof step), 0);
    QCOMPARE(step.value, 0);
    WLTestCommand unknown{0x99, 0, 0, 0};
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &unknown, sizeof unknown), -1);

    std::uint8_t tally[WL_TALLY_BYTES];
    QCOMPARE(ReadOid(pci.get(), WL_OID_DEBUG_TALLY, tally, sizeof tally), 0);
    QCOMPARE(ReadOid(card.get(), WL_OID_DEBUG_TALLY, tally, sizeof tally), -1);

    WLFirmwareRecord power{};
    power.id = 0xFC36;
    QCOMPARE(ReadOid(card.get(), WL_OID_FIRMWARE_RECORD, &power, sizeof power), 0);
    QCOMPARE(QueryWL_ContiTxPowerControlStatus(card.get()), 0);
    power.data[0] |= 0x100;
    QCOMPARE(WriteOid(card.get(), WL_OID_FIRMWARE_RECORD, &power, sizeof power), 0);
    QCOMPARE(QueryWL_ContiTxPowerControlStatus(card.get()), 1);

    QCOMPARE(SetWL_FirmwareAntennaDiversity(card.get(), 1, 2), 2);
    QCOMPARE(QueryWL_FirmwareAntennaDiversity(card.get(), 1), 2);
    QCOMPARE(SetWL_FirmwareAntennaDiversity(card.get(), 2, 1), -1);
}

void TestSimControl::versionsHostAndWzc() {
    TestEnv env;
    QCOMPARE(QueryWL_IsWindows95(), 0);
    QCOMPARE(QueryWL_IsWindows2000(), 1);
    QCOMPARE(KX_GetOSVersion(), 7);
    SimRecord r;
    QCOMPARE(QueryWL_DriverVersion(r.get()), 0x01024A10);
    std::uint8_t firmware[6] = {0, 0, 0, 0, 0, 0xCD};
    QCOMPARE(QueryWL_FirmwareVersion(r.get(), firmware), 0);
    QCOMPARE(firmware[5], 0xCD);
    QCOMPARE(QueryWL_CheckWZCStatus(r.get()), 0);
    QCOMPARE(SetWL_DisableWirelessZeroConfiguration(r.get(), 0), 0);
    QCOMPARE(QueryWL_CheckWZCStatus(r.get()), 0);
    QCOMPARE(simInt(nullptr, "wzc_disable"), 0);
    QCOMPARE(kxsim_set_int(nullptr, "wzc", 1), 0);
    QCOMPARE(SetWL_DisableWirelessZeroConfiguration(r.get(), 1), 0);
    QCOMPARE(QueryWL_CheckWZCStatus(r.get()), 1);
    QCOMPARE(SetWL_DisableWirelessZeroConfiguration(r.get(), 2), -1);
    QCOMPARE(kxsim_set_int(nullptr, "no_such_field", 1), -1);
    QCOMPARE(kxsim_set_int("9999", "wzc", 1), -1);
}

void TestSimControl::continuousTransmission() {
    TestEnv env;
    SimRecord card(kCardName);
    std::int32_t power = -1;
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 5, 1), 0);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 9, 0x08), 0);
    QCOMPARE(QueryWL_CRTxPowerMeasure(card.get(), &power), 0);
    QCOMPARE(power, 0); // nothing sent yet
    QCOMPARE(SetWL_TxContinuous(card.get(), 1), 0);
    QCOMPARE(simInt("0008", "emit_pattern"), 2); // carrier suppression
    QCOMPARE(simInt("0008", "emit_rate"), 1);
    QCOMPARE(QueryWL_CRTxPowerMeasure(card.get(), &power), 0);
    QCOMPARE(power, 0x30 + 4 * 8);
    // The registers are taken at the start only.
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 9, 0x18), 0);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 5, 3), 0);
    QCOMPARE(simInt("0008", "emit_pattern"), 2);
    QCOMPARE(SetWL_TxContinuous(card.get(), 1), 0);
    QCOMPARE(simInt("0008", "emit_pattern"), 1);
    QCOMPARE(simInt("0008", "emit_rate"), 3);
    QCOMPARE(SetWL_WriteMACRegister(card.get(), 0x600044, 2 * 4096 + 0x87), 0);
    QCOMPARE(QueryWL_CRTxPowerMeasure(card.get(), &power), 0);
    QCOMPARE(power, 0x30 + 4 * 2);
    QCOMPARE(SetWL_DisableNIC(card.get()), 0);
    QCOMPARE(QueryWL_CRTxPowerMeasure(card.get(), &power), 0);
    QCOMPARE(power, 0);
    QCOMPARE(SetWL_TxContinuous(card.get(), 0), 0);
    QCOMPARE(simInt("0008", "emit_pattern"), -1);

    // The newer chip: test commands, and no start without a pattern.
    SimRecord pci;
    WLTestCommand start{0x40, 1, 0xFFFF, 0};
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &start, sizeof start), -1);
    QCOMPARE(simInt("0007", "tx_continuous"), 0);
    start.extra = 1;
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &start, sizeof start), 0);
    WLTestCommand rate{0x42, 6, 0, 0};
    QCOMPARE(WriteOid(pci.get(), WL_OID_TEST_COMMAND, &rate, sizeof rate), 0);
    QCOMPARE(simInt("0007", "emit_pattern"), 1);
    QCOMPARE(simInt("0007", "emit_rate"), 6);

    // The address the adapter answers is in the trace.
    std::uint8_t mac[6] = {};
    QCOMPARE(GetNICAdapterMAC(pci.get(), mac), 0);
    QVERIFY(lastTraceLine().ends_with(R"("ret":0,"out":"001c7e210207"})"));
    kxsim_force("GetNICAdapterMAC", 0);
    QCOMPARE(GetNICAdapterMAC(pci.get(), mac), 0);
    QVERIFY(lastTraceLine().ends_with(R"("ret":0})"));
}

QTEST_GUILESS_MAIN(TestSimControl)
#include "tst_simcontrol.moc"
