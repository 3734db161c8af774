// One world for every process of the user: what another program does to an adapter
// shows here, concurrent calls lose nothing, and what is a process's own stays its own.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/stat.h>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/FileWrites.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

struct PeerRun {
    QStringList out;
    QString err;
    qint64 ms = 0;
    bool finished = false;
};

// Runs the other program to its end (killed after 20 s).
PeerRun runPeer(const QStringList& arguments, const QStringList& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : environment)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(KX_SIM_PEER), arguments);
    PeerRun run;
    run.finished = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
                   process.exitCode() == 0;
    run.ms = clock.elapsed();
    run.out =
        QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The other program's lines of output, on the PCI adapter.
QStringList peer(const QStringList& steps, const QStringList& environment = {}) {
    const PeerRun run = runPeer(QStringList{kPciName} + steps, environment);
    return run.finished ? run.out : QStringList{QStringLiteral("failed: ") + run.err};
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
    void callsThatMoveTheCountersWriteNoFile();
    void aKilledProgramLeavesAWholeWorld();
    void aWaitForAStuckWorldEnds();
    void aRemovedStateIsMadeAgain();
    void aFifoAtTheStateHangsNothing();
    void aStateThatIsNotOursIsReplacedWithOneWarning();
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

void TestSimShared::callsThatMoveTheCountersWriteNoFile() {
    // A status tick a second all day must not mean disk traffic.
    TestEnv env;
    SimRecord r;
    kxsim_advance(2000); // joined: the counters move
    FileWrites writes(env.path());
    std::uint32_t frames[2] = {};
    for (int second = 0; second < 5; ++second) {
        kxsim_advance(1000);
        QCOMPARE(QueryWL_PortStatus(r.get()), 4);
        QCOMPARE(GetTxRxFrameCount(r.get(), frames), 0);
    }
    QCOMPARE(writes.count(), std::uint64_t{0});
    // Still one world: the other program reads the same counters.
    QCOMPARE(peer({"get", "tx_frames"}), QStringList{QString::number(frames[0])});
}

void TestSimShared::aKilledProgramLeavesAWholeWorld() {
    TestEnv env;
    SimRecord r;
    QRandomGenerator random(20240612);
    std::int64_t restarts = 0;
    for (int round = 0; round < 30; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(KX_SIM_PEER),
                     {kPciName, "say", "running", "restart", "100000000"});
        QVERIFY(writer.waitForReadyRead(10000));
        QThread::usleep(random.bounded(5000));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        // The next program finds the world whole and free, with the restarts of the
        // killed one up to its last whole call.
        const PeerRun reader = runPeer({kPciName, "get", "restart_count"});
        QVERIFY2(reader.finished && reader.err.isEmpty(), qPrintable(reader.err));
        const std::int64_t now = reader.out.value(0).toLongLong();
        QVERIFY(now >= restarts);
        restarts = now;
    }
    QVERIFY(restarts > 0);
}

void TestSimShared::aWaitForAStuckWorldEnds() {
    TestEnv env;
    QProcess holder;
    holder.start(QStringLiteral(KX_SIM_PEER), {"-", "say", "holding", "hold", "10000"});
    QVERIFY(holder.waitForReadyRead(10000));
    QThread::msleep(200);

    // A bounded wait: the call fails, naming the file.
    const PeerRun waited = runPeer({"-", "list"});
    QCOMPARE(waited.out, QStringList{"0"});
    QVERIFY2(waited.err.contains(stateFile(env)), qPrintable(waited.err));
    QVERIFY(waited.ms < 8000);

    // A signal the program handles ends the wait at once.
    QProcess interrupted;
    interrupted.start(QStringLiteral(KX_SIM_PEER),
                      {"-", "interruptible", "say", "waiting", "list"});
    QVERIFY(interrupted.waitForReadyRead(10000));
    QThread::msleep(100);
    ::kill(static_cast<pid_t>(interrupted.processId()), SIGINT);
    QVERIFY(interrupted.waitForFinished(1500)); // the wait itself would run out at 2 s
    QCOMPARE(interrupted.readAllStandardOutput(), QByteArray("waiting\n0\n"));
    holder.kill();
    holder.waitForFinished();
}

void TestSimShared::aRemovedStateIsMadeAgain() {
    TestEnv env;
    SimRecord r;
    QVERIFY(QFile::remove(stateFile(env)));
    QThread::msleep(1100); // it is looked for once a second
    QCOMPARE(SetWL_Channel(r.get(), 3), 0);
    QCOMPARE(peer({"get", "desired_channel"}), QStringList{"3"});
}

void TestSimShared::aFifoAtTheStateHangsNothing() {
    TestEnv env;
    const QString state = stateFile(env);
    QVERIFY(QFile::remove(state));
    QCOMPARE(::mkfifo(QFile::encodeName(state).constData(), 0600), 0);
    // Not ours to remove: the other program says so and goes on with adapters of its own.
    const PeerRun run = runPeer({kPciName, "get", "desired_channel"});
    QCOMPARE(run.out, QStringList{"6"});
    QVERIFY2(run.err.contains(state), qPrintable(run.err));
}

void TestSimShared::aStateThatIsNotOursIsReplacedWithOneWarning() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(SetWL_Channel(r.get(), 11), 0);
    const QString state = stateFile(env);

    // From before the machine last started: the driver started afresh since.
    QFile earlier(state);
    QVERIFY(earlier.open(QIODevice::ReadWrite) && earlier.seek(8));
    earlier.write(QByteArray(36, 'f'));
    earlier.close();
    QCOMPARE(peer({"get", "desired_channel"}), QStringList{"6"});

    // Damaged: no crash, one warning however many calls meet it, a fresh world, and the
    // damaged file replaced by it.
    QFile damaged(state);
    QVERIFY(damaged.size() > 100 && damaged.resize(damaged.size() - 1));
    const PeerRun run = runPeer({kPciName, "channel", "2", "desired", "desired"});
    QCOMPARE(run.out, (QStringList{"0", "2", "2"}));
    QCOMPARE(run.err.count(state), 1);
    QCOMPARE(QueryWL_DesiredChannel(r.get()), 2);
}

QTEST_GUILESS_MAIN(TestSimShared)
#include "tst_simshared.moc"
