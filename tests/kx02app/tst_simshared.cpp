// One world for every process of the user: what another program does to an adapter
// shows here, concurrent calls lose nothing, and what is a process's own stays its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

// Runs the other program to its end; its lines of output.
QStringList peer(const QStringList& steps, const QStringList& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : environment)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KX_SIM_PEER), QStringList{kPciName} + steps);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {QStringLiteral("failed: ") +
                QString::fromLocal8Bit(process.readAllStandardError())};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QString stateFile(const TestEnv& env) {
    const QStringList files = QDir(env.path() + "/state").entryList({"world-*.state"}, QDir::Files);
    return files.size() == 1 ? env.path() + "/state/" + files.first() : QString();
}

} // namespace

class TestSimShared : public QObject {
    Q_OBJECT

private slots:
    void anotherProgramsChangesShowHere();
    void concurrentCallsLoseNothing();
    void traceAndForcedResultsStayOwn();
    void anotherScenarioIsAnotherWorld();
    void aResetStartsAfreshForEveryone();
    void aWorldNobodyUsesStartsAfresh();
    void aStateThatIsNotOursIsReplaced();
};

void TestSimShared::anotherProgramsChangesShowHere() {
    TestEnv env; // time stands still for both programs until this one moves it
    SimRecord r;
    QCOMPARE(peer({"type", "0", "channel", "3", "ssid", "PlayRoom", "set", "tally2", "77"}),
             (QStringList{"0", "0", "0", "0"}));
    // Settings sent, the join begun and the counters of the other program.
    QCOMPARE(QueryWL_NetworkType(r.get()), 0);
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 3);
    QCOMPARE(QueryWL_PortStatus(r.get()), 2);
    kxsim_advance(2000);
    QCOMPARE(QueryWL_PortStatus(r.get()), 3);
    QCOMPARE(simText(nullptr, "joined"), std::string("PlayRoom"));
    QCOMPARE(simInt(nullptr, "tally2"), 77);
    // And back: the other program sees the time and the link moved on here.
    QCOMPARE(peer({"get", "port_status", "text", "current_ssid"}), (QStringList{"3", "PlayRoom"}));
}

void TestSimShared::concurrentCallsLoseNothing() {
    TestEnv env;
    SimRecord r;
    const std::int64_t before = simInt(nullptr, "restart_count");
    QProcess other;
    other.start(QStringLiteral(KX_SIM_PEER), {kPciName, "restart", "300"});
    QVERIFY(other.waitForStarted());
    for (int i = 0; i < 300; ++i)
        SetWL_RestartNIC(r.get());
    QVERIFY(other.waitForFinished(60000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(simInt(nullptr, "restart_count"), before + 600);
}

void TestSimShared::traceAndForcedResultsStayOwn() {
    TestEnv env;
    SimRecord r;
    kxsim_trace_clear();
    kxsim_force("QueryWL_DesiredChannel", 9);
    // The other program's trace holds its own open and query only.
    QCOMPARE(peer({"desired", "trace"}), (QStringList{"6", "2"}));
    QCOMPARE(kxsim_trace_count(), 0);
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 9);
}

void TestSimShared::anotherScenarioIsAnotherWorld() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(SetWL_Channel(r.get(), 11), 0);
    QTemporaryFile scenario;
    QVERIFY(scenario.open());
    scenario.write(R"({"seed": 7})");
    scenario.close();
    QCOMPARE(peer({"get", "desired_channel"}, {"KX02APP_SCENARIO=" + scenario.fileName()}),
             QStringList{"6"});
    QCOMPARE(peer({"get", "desired_channel"}), QStringList{"11"});
}

void TestSimShared::aResetStartsAfreshForEveryone() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(peer({"channel", "1"}), QStringList{"0"});
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 1);
    kxsim_reset();
    QCOMPARE(peer({"get", "desired_channel"}), QStringList{"6"});
}

void TestSimShared::aWorldNobodyUsesStartsAfresh() {
    // Programs one after another: like a driver loaded anew, the adapter reads the
    // registry and its card again instead of going on from the last run's state.
    TestEnv env;
    QTemporaryFile scenario;
    QVERIFY(scenario.open());
    scenario.write(R"({"seed": 7})");
    scenario.close();
    const QStringList own{"KX02APP_SCENARIO=" + scenario.fileName()};
    QCOMPARE(peer({"channel", "1"}, own), QStringList{"0"});
    QCOMPARE(peer({"get", "desired_channel"}, own), QStringList{"6"});
}

void TestSimShared::aStateThatIsNotOursIsReplaced() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(SetWL_Channel(r.get(), 11), 0);
    QFile file(stateFile(env));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 100);

    // From before the machine last started: the driver started afresh since.
    QByteArray earlier = bytes;
    earlier.replace(8, 36, QByteArray(36, 'f'));
    file.seek(0);
    file.write(earlier);
    file.flush();
    QCOMPARE(peer({"get", "desired_channel"}), QStringList{"6"});

    // Damaged: no crash, a fresh world, and the damaged file replaced by it.
    bytes[bytes.size() - 3] = static_cast<char>(bytes[bytes.size() - 3] ^ 0x5A);
    bytes.truncate(bytes.size() - 1);
    QVERIFY(file.resize(0));
    file.seek(0);
    file.write(bytes);
    file.close();
    QCOMPARE(peer({"channel", "2"}), QStringList{"0"});
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 2);
}

QTEST_GUILESS_MAIN(TestSimShared)
#include "tst_simshared.moc"
