// kxctl's commands in this process on the built-in world, time moved by the waits.
#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "kx02app/kxsim.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

struct Kxctl : TestContext {
    QString out;
    QString err;
    int outFailure = 0;    // what the next writes to the standard output answer
    bool terminal = false; // the error output is a terminal
    std::function<bool()> stop;

    Kxctl() {
        loadShippedConfig();
        openShippedLanguage();
        ctx.language.select(1);
    }

    int run(const QStringList& arguments) {
        out.clear();
        err.clear();
        ControlOutput output(
            [this](QByteArrayView b) {
                if (outFailure == 0)
                    out += QString::fromUtf8(b);
                return outFailure;
            },
            [this](QByteArrayView b) {
                err += QString::fromUtf8(b);
                return 0;
            },
            terminal);
        ControlHooks hooks{[this](int ms) {
                               kxsim_advance(ms);
                               clock.advanceMs(ms);
                           },
                           stop};
        ControlCommand command(ctx, output, hooks);
        return command.run(arguments);
    }

    QJsonDocument json(const QStringList& arguments) {
        const int exit = run(arguments);
        return exit == 0 ? QJsonDocument::fromJson(out.toUtf8()) : QJsonDocument();
    }
    QString file(const QString& name) const { return env.path() + u'/' + name; }

    // The profile saved as `name` from the adapter, as an export holds it with its keys.
    QJsonObject saved(const QString& name) {
        if (run({"profile", "save", name}) != 0 || run({"profile", "export", "-", "--with-keys"}))
            return {};
        for (const QJsonValue& p : QJsonDocument::fromJson(out.toUtf8())["profiles"].toArray()) {
            if (p["name"] == name)
                return p.toObject();
        }
        return {};
    }
    // A file of these profiles, named `name` in the test's directory.
    QString exportFile(const QString& name, const QJsonArray& profiles) {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(QJsonDocument(QJsonObject{{"format", "kxconfig-profiles"},
                                              {"version", 1},
                                              {"profiles", profiles}})
                        .toJson());
        return f.fileName();
    }
};

} // namespace

class TestKxctl : public QObject {
    Q_OBJECT

private slots:
    void commandLinesItRefuses_data();
    void commandLinesItRefuses();
    void helpOnEachCommand();
    void joinWithAKeyAndTheStatusShowsIt();
    void watchWritesCsvRowsPerTick();
    void scanListsStrongestFirstInTheChosenLanguage();
    void macAddressesForProgramsAndForPeople();
    void namesFromTheAirCannotBreakTheOutput();
    void namesInUtf8ReadAndAreTypedAsText();
    void settingsAreCheckedSentAndRecorded();
    void driverAndAdapterFailuresExitTwo();
    void aReadOnlyAdapterSaysWhyAndRecordsNothing();
    void theAccessPointFiltersStations();
    void everyAdapterWithItsHardwareId();
    void failuresNameTheFileAndTheReason();
    void anOutputThatCannotBeWrittenIsNoSuccess();
    void profilesRoundTripThroughAFile();
    void importLosesNothingStoredAndReportsEachProfile();
    void importRefusesWhatTheDialogsRefuse();
    void loadChecksTheWholeProfileBeforeSendingAnything();
    void importShowsProgressAndStopsKeepingWhatItReported();
    void importReadsOnlyARegularFileOrTheStandardInput();
};

void TestKxctl::commandLinesItRefuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("no command") << QStringList{} << "which command";
    QTest::newRow("unknown command") << QStringList{"connect"} << "no command \"connect\"";
    QTest::newRow("unknown option") << QStringList{"scan", "--fast"} << "fast";
    QTest::newRow("adapter 0") << QStringList{"--adapter", "0", "status"} << "1 to 10";
    QTest::newRow("language") << QStringList{"--lang", "Klingon", "status"} << "German";
    QTest::newRow("csv with json") << QStringList{"status", "--csv", "--json"} << "exclude";
    QTest::newRow("interval alone") << QStringList{"status", "--interval", "500"} << "--watch";
    QTest::newRow("interval too short")
        << QStringList{"status", "--watch", "--interval", "10"} << "100 to 3600000";
    QTest::newRow("join nothing") << QStringList{"join"} << "one SSID";
    QTest::newRow("join both") << QStringList{"join", "X", "--bssid", "00:0A:1B:2C:3D:4E"}
                               << "one SSID";
    QTest::newRow("bad bssid") << QStringList{"join", "--bssid", "00:0A"} << "no MAC address";
    QTest::newRow("short key") << QStringList{"join", "HomeWEP64", "--key", "12345"} << "10 or 26";
    QTest::newRow("keys of two lengths")
        << QStringList{"join", "X", "--key", "1234567890", "--key", "0123456789ABCDEF0123456789"}
        << "key 2";
    QTest::newRow("key index past the keys")
        << QStringList{"join", "X", "--key", "1234567890", "--key-index", "2"} << "--key-index";
    QTest::newRow("set without value") << QStringList{"set", "channel"} << "its value";
    QTest::newRow("unknown setting") << QStringList{"set", "volume", "3"} << "no setting";
    QTest::newRow("channel out of range") << QStringList{"set", "channel", "15"} << "1-14";
    QTest::newRow("channel not a number") << QStringList{"set", "channel", "6a"} << "1-14";
    QTest::newRow("rate") << QStringList{"set", "rate", "54"} << "5.5";
    QTest::newRow("fragment") << QStringList{"set", "fragment", "100"} << "256-2306";
    QTest::newRow("ssid too long") << QStringList{"set", "ssid", QString(33, u'x')} << "32";
    QTest::newRow("ssid control char") << QStringList{"set", "ssid", "a\nb"} << "32";
    QTest::newRow("profile nothing") << QStringList{"profile"} << "list";
    QTest::newRow("profile unknown")
        << QStringList{"profile", "show", "Nowhere"} << "no profile \"Nowhere\"";
    QTest::newRow("profile bad name") << QStringList{"profile", "save", "a\\b"} << "backslash";
}

void TestKxctl::commandLinesItRefuses() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    Kxctl k;
    QCOMPARE(k.run(arguments), ControlCommand::Usage);
    QVERIFY2(k.err.contains(says), qPrintable(k.err));
    QVERIFY(k.out.isEmpty());
    // A refused setting leaves the recorded one alone.
    QVERIFY(k.adapterValue("RFChannel") != "15");
}

void TestKxctl::helpOnEachCommand() {
    Kxctl k;
    QCOMPARE(k.run({"--help"}), 0);
    for (const char* command : {"adapters", "status", "scan", "join", "set", "profile"}) {
        QVERIFY(k.out.contains(QLatin1String(command)));
    }
    QCOMPARE(k.run({"status", "--help"}), 0);
    QVERIFY(k.out.contains("--interval MS"));
    QCOMPARE(k.run({"set", "-h"}), 0);
    QVERIFY(k.out.contains("preamble"));
}

void TestKxctl::joinWithAKeyAndTheStatusShowsIt() {
    Kxctl k;
    QCOMPARE(k.run({"join", "HomeWEP64", "--key", "1234567890"}), 0);
    QVERIFY2(k.out.contains("joined \"HomeWEP64\""), qPrintable(k.err));
    // Recorded as the window's connect records it.
    QCOMPARE(k.adapterValue("SSID"), QString("HomeWEP64"));
    QCOMPARE(k.adapterValue("RFChannel"), QString("1"));

    const QJsonObject o = k.json({"status", "--json"}).object();
    QCOMPARE(o.value("mode").toString(), QString("station"));
    QCOMPARE(o.value("link").toString(), QString("connected"));
    QCOMPARE(o.value("ssid").toString(), QString("HomeWEP64"));
    QCOMPARE(o.value("channel").toInt(), 1);
    QCOMPARE(o.value("wep").toBool(), true);
    QCOMPARE(o.value("bssid").toString(), QString("00:0a:1b:2c:3d:51"));
    QVERIFY(o.value("signal_percent").toInt() > 0);
    QVERIFY(o.value("signal_dbm").toInt() < 0);
    QVERIFY(o.value("tx_frames").isDouble());

    // A wrong key never links: the wait ends, bounded, as a failure.
    QCOMPARE(k.run({"join", "Office128", "--key", "FFFFFFFFFFFFFFFFFFFFFFFFFF", "--timeout", "3"}),
             ControlCommand::Failure);
    QVERIFY(k.err.contains("no link with \"Office128\" after 3 s"));
}

void TestKxctl::watchWritesCsvRowsPerTick() {
    Kxctl k;
    QCOMPARE(k.run({"status", "--watch", "--csv", "--count", "5", "--interval", "500"}), 0);
    const QStringList lines = k.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 6);
    const QStringList header = lines.first().split(u',');
    QCOMPARE(header.first(), QString("time"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList row = lines.at(i).split(u',');
        QCOMPARE(row.size(), header.size());
        QCOMPARE(row.at(1).toInt(), 500 * (i - 1));
        QCOMPARE(row.at(2), QString("station"));
    }
    // The access point's row counts its stations.
    QCOMPARE(k.run({"--adapter", "3", "status", "--csv"}), 0);
    const QStringList row = k.out.split(u'\n', Qt::SkipEmptyParts).value(1).split(u',');
    QCOMPARE(row.at(2), QString("access-point"));
    QCOMPARE(row.last(), QString("2"));
}

void TestKxctl::scanListsStrongestFirstInTheChosenLanguage() {
    Kxctl k;
    const QJsonArray networks = k.json({"scan", "--json"}).array();
    QVERIFY(networks.size() >= 6);
    for (qsizetype i = 1; i < networks.size(); ++i)
        QVERIFY(networks.at(i - 1)["signal"].toInt() >= networks.at(i)["signal"].toInt());
    QCOMPARE(networks.first()["ssid"].toString(), QString("TolvaNet"));
    // Machine output is the same in every language; text is the user's.
    QCOMPARE(k.json({"--lang", "German", "scan", "--json"}).array().first()["mode"].toString(),
             QString("infrastructure"));
    QCOMPARE(k.run({"--lang", "2", "scan"}), 0);
    QVERIFY(k.out.startsWith(QString::fromUtf8("Signalstärke")));
    // The access point's adapter has no survey.
    QCOMPARE(k.run({"--adapter", "3", "scan"}), ControlCommand::Failure);
}

void TestKxctl::macAddressesForProgramsAndForPeople() {
    Kxctl k;
    // Programs get the form network tools use, people the window's.
    QCOMPARE(k.json({"adapters", "--json"}).array().first()["mac"].toString(),
             QString("00:1c:7e:21:02:07"));
    QCOMPARE(k.run({"adapters"}), 0);
    QVERIFY(k.out.contains("00 1C 7E 21 02 07"));
    const QJsonObject strongest = k.json({"scan", "--json"}).array().first().toObject();
    QCOMPARE(strongest["bssid"].toString(), QString("00:0a:1b:2c:3d:4e"));
    QCOMPARE(k.run({"scan"}), 0);
    QVERIFY(k.out.contains("00 0A 1B 2C 3D 4E"));

    // The tools' form is taken back, and the answer is for people.
    QCOMPARE(k.run({"join", "--bssid", "00:0a:1b:2c:3d:4e"}), 0);
    QVERIFY2(k.out.contains("(00 0A 1B 2C 3D 4E, channel"), qPrintable(k.out + k.err));
    QCOMPARE(k.run({"status", "--watch", "--json", "--count", "1"}), 0);
    QCOMPARE(QJsonDocument::fromJson(k.out.toUtf8())["bssid"].toString(),
             QString("00:0a:1b:2c:3d:4e"));

    // The access point's stations.
    const QJsonArray stations =
        k.json({"--adapter", "3", "status", "--json"})["stations"].toArray();
    QVERIFY(!stations.isEmpty());
    for (const QJsonValue& station : stations)
        QVERIFY2(QRegularExpression("^[0-9a-f]{2}(:[0-9a-f]{2}){5}$")
                     .match(station.toString())
                     .hasMatch(),
                 qPrintable(station.toString()));
    QCOMPARE(k.run({"--adapter", "3", "status"}), 0);
    QVERIFY(QRegularExpression("\\n  [0-9A-F]{2}( [0-9A-F]{2}){5}\\n").match(k.out).hasMatch());
}

void TestKxctl::namesFromTheAirCannotBreakTheOutput() {
    Kxctl k;
    QCOMPARE(kxsim_load_scenario(R"({"networks": [{"ssid": "Cafe, \"Bar\"\u001b[2J",
        "bssid": "00:0A:1B:2C:3D:60", "channel": 6, "mode": "infrastructure", "wep": null,
        "signal": 80, "quality": 90}]})"),
             0);
    // The control character shows escaped wherever the name shows, and is typed so.
    const QString name = QStringLiteral("Cafe, \"Bar\"\\x1B[2J");
    QCOMPARE(k.json({"scan", "--json"}).array().first()["ssid"].toString(), name);
    QCOMPARE(k.run({"scan"}), 0);
    QVERIFY(!k.out.contains(QChar(0x1B)));
    QVERIFY2(k.out.contains("Cafe, \"Bar\"\\x1B[2J"), qPrintable(k.out + k.err));

    QCOMPARE(k.run({"join", name}), 0);
    QCOMPARE(k.run({"status", "--csv"}), 0);
    const QString row = k.out.split(u'\n').value(1);
    QVERIFY2(row.contains(",\"Cafe, \"\"Bar\"\"\\x1B[2J\","), qPrintable(row));
}

void TestKxctl::namesInUtf8ReadAndAreTypedAsText() {
    Kxctl k;
    QCOMPARE(kxsim_load_scenario(R"({"networks": [
        {"ssid": "Caf\u00e9", "bssid": "00:0A:1B:2C:3D:61", "channel": 6, "signal": 80},
        {"ssid": "Caf\\xE9", "bssid": "00:0A:1B:2C:3D:62", "channel": 11, "signal": 70}]})"),
             0);
    const QString cafe = QString::fromUtf8("Caf\u00e9");
    const QJsonArray networks = k.json({"scan", "--json"}).array();
    QCOMPARE(networks.at(0)["ssid"].toString(), cafe);
    QCOMPARE(networks.at(1)["ssid"].toString(), QStringLiteral("Caf\\xE9"));
    QCOMPARE(k.run({"join", cafe}), 0);
    QCOMPARE(k.adapterValue("SSID"), cafe);
    QCOMPARE(k.json({"status", "--json"}).object()["ssid"].toString(), cafe);
    QCOMPARE(k.run({"join", "Caf\\xe9"}), 0);
    QVERIFY2(k.out.contains("channel 11"), qPrintable(k.out + k.err));
}

void TestKxctl::settingsAreCheckedSentAndRecorded() {
    Kxctl k;
    QCOMPARE(k.run({"set", "channel", "11"}), 0);
    QCOMPARE(k.adapterValue("RFChannel"), QString("11"));
    QCOMPARE(k.run({"set", "rate", "5.5"}), 0);
    QCOMPARE(k.adapterValue("TxDataRate"), QString("4"));
    QCOMPARE(k.run({"set", "rts", "off"}), 0);
    QCOMPARE(k.adapterValue("RTSCTSThreshold"), QString("2305"));
    // The older chip's card offers the channels of its mask only.
    QCOMPARE(k.run({"--adapter", "2", "set", "channel", "13"}), ControlCommand::Usage);
    QVERIFY(k.err.contains("it takes 1-11"));
    QCOMPARE(k.run({"--adapter", "2", "set", "preamble", "short"}), ControlCommand::Usage);
}

void TestKxctl::driverAndAdapterFailuresExitTwo() {
    Kxctl k;
    kxsim_force("SetWL_Channel", -1);
    QCOMPARE(k.run({"set", "channel", "3"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("refused channel"));
    kxsim_clear_force(nullptr);
    QCOMPARE(k.run({"--adapter", "7", "status"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("no adapter 7: 3 found"));
    QCOMPARE(k.run({"join", "Nowhere"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("\"Nowhere\" is in range"));
    QVERIFY(kxsim_load_scenario(R"({"adapters": []})") == 0);
    QCOMPARE(k.run({"adapters"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("no adapter found"));
}

void TestKxctl::aReadOnlyAdapterSaysWhyAndRecordsNothing() {
    Kxctl k;
    qputenv("KX02APP_READ_ONLY", "changing wlan0 needs the CAP_NET_ADMIN capability (root)");
    const int exit = k.run({"set", "rts", "500"});
    qunsetenv("KX02APP_READ_ONLY");
    QCOMPARE(exit, ControlCommand::Failure);
    QCOMPARE(k.err, QString("kxctl: The adapter is read-only for this user: changing wlan0 needs "
                            "the CAP_NET_ADMIN capability (root)\n"));
    QCOMPARE(k.adapterValue("RTSCTSThreshold"), QString("<missing>"));
    QCOMPARE(k.run({"set", "rts", "500"}), 0);
    QCOMPARE(k.adapterValue("RTSCTSThreshold"), QString("500"));
}

void TestKxctl::theAccessPointFiltersStations() {
    Kxctl k;
    // Adapter 3 runs access-point firmware with two stations.
    QCOMPARE(k.run({"--adapter", "3", "ap", "stations"}), 0);
    QCOMPARE(k.out, QString("00 16 3E 11 22 33\n00 16 3E 44 55 66\n"));
    QCOMPARE(k.run({"--adapter", "3", "ap", "filter", "accept", "00:16:3e:11:22:33"}), 0);
    std::int64_t mode = 0;
    QCOMPARE(kxsim_get_int("KX3101_USB_0009", "ap_filter_mode", &mode), 0);
    QCOMPARE(mode, 1);
    QCOMPARE(k.run({"--adapter", "3", "ap", "stations"}), 0);
    QCOMPARE(k.out, QString("00 16 3E 11 22 33\n"));
    QCOMPARE(k.run({"--adapter", "3", "ap", "filter", "reject", "00:16:3e:11:22"}),
             ControlCommand::Usage);
    QVERIFY(k.err.contains("\"00:16:3e:11:22\" is none"));
    QCOMPARE(k.run({"--adapter", "3", "ap", "ssid", "Lobby"}), 0);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    QVERIFY(kxsim_get_text("KX3101_USB_0009", "ap_ssid", ssid, sizeof ssid) >= 0);
    QCOMPARE(QString(ssid), QString("Lobby"));
    // A station has no access point until the mode button's "on".
    QCOMPARE(k.run({"ap", "hide", "on"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("runs no access point"));
    QCOMPARE(k.run({"ap", "on"}), 0);
    std::int64_t type = 0;
    QCOMPARE(kxsim_get_int("KX3102_PCI_0007", "network_type", &type), 0);
    QCOMPARE(type, 4);
}

void TestKxctl::everyAdapterWithItsHardwareId() {
    Kxctl k;
    QVERIFY(kxsim_load_scenario(R"({"adapters": [
        {"name": "A", "instance": "0001", "hardware_id": "USB\\VID_1D5A&PID_3101"},
        {"name": "B", "instance": "0002", "hardware_id": "PCI\\VEN_8086&DEV_4232"}]})") == 0);
    const QJsonArray all = k.json({"adapters", "--all", "--json"}).array();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[1]["hardware_id"].toString(), QString("PCI\\VEN_8086&DEV_4232"));
    QCOMPARE(all[0]["accepted"].toBool(), true);
    QCOMPARE(all[1]["accepted"].toBool(), false);
}

void TestKxctl::failuresNameTheFileAndTheReason() {
    Kxctl k;
    // The registry's rule for a key name is the profile name's.
    QCOMPARE(k.run({"profile", "save", "a[b"}), ControlCommand::Usage);
    QVERIFY2(k.err.contains("square bracket"), qPrintable(k.err));
    const auto replaceByDirectory = [&](const char* hive) {
        const QString path = k.env.registryDir() + u'/' + QLatin1String(hive);
        QFile::remove(path);
        return QDir().mkpath(path) ? path : QString();
    };
    const QString user = replaceByDirectory("HKEY_CURRENT_USER.reg");
    QCOMPARE(k.run({"profile", "save", "Home"}), ControlCommand::Failure);
    QVERIFY2(k.err.contains(user + ": is a directory"), qPrintable(k.err));
    const QString machine = replaceByDirectory("HKEY_LOCAL_MACHINE.reg");
    QCOMPARE(k.run({"status"}), ControlCommand::Failure);
    QVERIFY2(k.err.contains(machine + ": is a directory"), qPrintable(k.err));
}

void TestKxctl::anOutputThatCannotBeWrittenIsNoSuccess() {
    Kxctl k;
    k.outFailure = ENOSPC;
    QCOMPARE(k.run({"adapters"}), ControlCommand::Failure);
    QVERIFY(k.err.contains("cannot be written"));
    // "kxctl status --watch | head": the reader left, the watch ends quietly.
    k.outFailure = EPIPE;
    QCOMPARE(k.run({"status", "--watch"}), 0);
}

void TestKxctl::profilesRoundTripThroughAFile() {
    Kxctl k;
    QCOMPARE(k.run({"join", "HomeWEP64", "--key", "1234567890"}), 0);
    QCOMPARE(k.run({"profile", "save", "Home"}), 0);
    QCOMPARE(k.run({"profile", "save", "Büro 2"}), 0);
    QCOMPARE(k.run({"profile", "list"}), 0);
    QCOMPARE(k.out, QString::fromUtf8("Home\nBüro 2\n"));

    const QString plain = k.file("plain.json");
    const QString keyed = k.file("keyed.json");
    QCOMPARE(k.run({"profile", "export", plain}), 0);
    QCOMPARE(k.run({"profile", "export", keyed, "--with-keys"}), 0);
    QCOMPARE(QFile(keyed).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    QFile file(plain);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(doc["format"].toString(), QString("kxconfig-profiles"));
    const QJsonObject home = doc["profiles"].toArray().first().toObject();
    QCOMPARE(home["ssid"].toString(), QString("HomeWEP64"));
    QVERIFY(!home.contains("keys"));

    // Gone, and back from the file with its keys.
    QCOMPARE(k.run({"profile", "delete", "Home"}), 0);
    QCOMPARE(k.run({"profile", "delete", "Home"}), ControlCommand::Usage);
    QCOMPARE(k.run({"profile", "import", keyed}), 0);
    QCOMPARE(k.out, QString::fromUtf8("Home: imported\nBüro 2: unchanged\n"));
    const QJsonObject shown = k.json({"profile", "show", "Home", "--json", "--with-keys"}).object();
    QCOMPARE(shown["keys"].toArray().first().toString(), QString("1234567890"));
    QCOMPARE(k.run({"set", "channel", "6"}), 0);
    QCOMPARE(k.run({"profile", "load", "Home"}), 0);
    QCOMPARE(k.adapterValue("RFChannel"), QString("1"));
}

void TestKxctl::importLosesNothingStoredAndReportsEachProfile() {
    Kxctl k;
    QCOMPARE(k.run({"set", "channel", "11"}), 0);
    QCOMPARE(k.run({"profile", "save", "Work"}), 0);
    const auto write = [&](const QByteArray& bytes) {
        QFile f(k.file("in.json"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    QCOMPARE(k.run({"profile", "export", k.file("in.json")}), 0);
    QFile f(k.file("in.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QJsonObject doc = QJsonDocument::fromJson(f.readAll()).object();
    f.close();
    QJsonArray list = doc["profiles"].toArray();
    QJsonObject work = list.first().toObject();
    work["channel"] = 3;
    QJsonObject badName = work;
    badName["name"] = "a\\b";
    QJsonObject caseClash = work;
    caseClash["name"] = "WORK";
    QJsonObject broken = work;
    broken["name"] = "Broken";
    broken.remove("channel");
    QJsonObject fresh = work;
    fresh["name"] = "Fresh";
    doc["profiles"] = QJsonArray{work, badName, caseClash, broken, fresh};
    write(QJsonDocument(doc).toJson());

    QCOMPARE(k.run({"profile", "import", k.file("in.json")}), ControlCommand::Usage);
    QVERIFY2(k.out.contains("Work: kept"), qPrintable(k.out));
    QVERIFY(k.out.contains("a\\b: refused (a name holds no backslash"));
    QVERIFY(k.out.contains("WORK: refused (the stored profile \"Work\" differs only in letter"));
    QVERIFY(k.out.contains("Broken: refused (\"channel\" is missing)"));
    QVERIFY(k.out.contains("Fresh: imported"));
    QCOMPARE(k.json({"profile", "show", "Work", "--json"}).object()["channel"].toInt(), 11);

    QCOMPARE(k.run({"profile", "import", k.file("in.json"), "--replace"}), ControlCommand::Usage);
    QVERIFY(k.out.contains("Work: replaced"));
    QCOMPARE(k.json({"profile", "show", "Work", "--json"}).object()["channel"].toInt(), 3);

    // No export at all: nothing changes.
    for (const QByteArray& bytes :
         {QByteArray("not json"), QByteArray(R"({"format": "other", "profiles": []})")}) {
        write(bytes);
        QCOMPARE(k.run({"profile", "import", k.file("in.json")}), ControlCommand::Usage);
    }
    QCOMPARE(k.run({"profile", "import", k.file("missing.json")}), ControlCommand::Usage);
    QCOMPARE(k.run({"profile", "list"}), 0);
    QCOMPARE(k.out, QString("Work\nFresh\n"));
}

void TestKxctl::importRefusesWhatTheDialogsRefuse() {
    Kxctl k;
    const QJsonObject good = k.saved("Good");
    QJsonArray profiles;
    const auto with = [&](const char* name, const char* field, const QJsonValue& value) {
        QJsonObject p = good;
        p["name"] = name;
        p[field] = value;
        profiles.append(p);
    };
    with("Channel", "channel", 99);
    with("Fragment", "fragmentation_threshold", -5);
    with("Rate", "tx_rate", 3);
    with("Key", "keys", QJsonArray{"1", "2", "3", "4"});

    QCOMPARE(k.run({"profile", "import", k.exportFile("in.json", profiles)}),
             ControlCommand::Usage);
    QVERIFY2(k.out.contains("Channel: refused (channel does not take 99; it takes 1-14)"),
             qPrintable(k.out));
    QVERIFY(k.out.contains("Fragment: refused (fragmentation_threshold does not take -5; it "
                           "takes 256-2306)"));
    QVERIFY(k.out.contains("Rate: refused (tx_rate does not take 3; it takes 1, 2, 4, 8, 15"));
    QVERIFY(k.out.contains("Key: refused (\"keys\" are no four keys of 10 or 26"));
    QCOMPARE(k.ctx.store.profileNames(), QStringList{"Good"});
}

void TestKxctl::loadChecksTheWholeProfileBeforeSendingAnything() {
    Kxctl k;
    SettingsStore& store = k.ctx.store;
    WirelessSettings settings;
    settings.fragmentationThreshold = 512;
    settings.channel = 13; // not on the older chip's card
    QCOMPARE(store.createProfile("Far"), 0);
    QCOMPARE(store.findProfile("Far"), 0);
    QCOMPARE(store.writeProfile(settings), 0);
    clearSimTrace();
    QCOMPARE(k.run({"--adapter", "2", "profile", "load", "Far"}), ControlCommand::Usage);
    QVERIFY2(k.err.contains("channel does not take 13; it takes 1-11"), qPrintable(k.err));
    QVERIFY(simCalls({"SetWL_"}).isEmpty());
    QCOMPARE(k.adapterValue("FragmentThreshold"), QString("<missing>"));
    // The card that offers the channel takes the profile whole.
    QCOMPARE(k.run({"profile", "load", "Far"}), 0);
    QCOMPARE(k.adapterValue("RFChannel"), QString("13"));
}

void TestKxctl::importShowsProgressAndStopsKeepingWhatItReported() {
    Kxctl k;
    const QJsonObject saved = k.saved("Base");
    QJsonArray profiles;
    for (const char* name : {"P0", "P1", "P2", "P3", "P4"}) {
        QJsonObject p = saved;
        p["name"] = name;
        profiles.append(p);
    }
    const QString in = k.exportFile("in.json", profiles);
    // Each profile takes 300 ms; the user interrupts at the fourth.
    int asked = 0;
    k.stop = [&] {
        k.clock.advanceMs(300);
        return ++asked > 3;
    };
    k.terminal = true;
    QCOMPARE(k.run({"profile", "import", in}), ControlCommand::Failure);
    QCOMPARE(k.out, QString("P0: imported\nP1: imported\nP2: imported\n"));
    QVERIFY2(k.err.contains("\r2 of 5 profiles\x1B[K"), qPrintable(k.err));
    QVERIFY(k.err.contains("interrupted after 3 of 5 profiles"));
    QCOMPARE(k.ctx.store.profileNames(), (QStringList{"Base", "P0", "P1", "P2"}));
}

void TestKxctl::importReadsOnlyARegularFileOrTheStandardInput() {
    Kxctl k;
    const QString fifo = k.file("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(k.run({"profile", "import", fifo}), ControlCommand::Usage);
    QVERIFY2(k.err.contains("it is no regular file"), qPrintable(k.err));

    QJsonObject p = k.saved("Base");
    p["name"] = "Piped";
    QFile in(k.exportFile("in.json", {p}));
    QVERIFY(in.open(QIODevice::ReadOnly));
    const int stdinCopy = ::dup(STDIN_FILENO);
    ::dup2(in.handle(), STDIN_FILENO);
    const int exit = k.run({"profile", "import", "-"});
    ::dup2(stdinCopy, STDIN_FILENO);
    ::close(stdinCopy);
    QCOMPARE(exit, 0);
    QCOMPARE(k.out, QString("Piped: imported\n"));
}

QTEST_GUILESS_MAIN(TestKxctl)
#include "test_kxctl.moc"
