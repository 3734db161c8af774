// kxctl beside a running tray program (this process): one adapter for both, and neither
// loses the other's registry writes.
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>

#include "context/AppContext.h"
#include "ctl/ControlCommand.h"
#include "kx02app/kxsim.h"
#include "mainwnd/StationMonitor.h"
#include "mainwnd/WindowlessHost.h"
#include "platform/FileLock.h"
#include "platform/Registry.h"
#include "program/UserProfile.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

// The tray program itself, whose user settings kxctl shares.
struct TrayProgram : TestContext {
    TrayProgram() {
        UserProfile::setProgramName(ControlCommand::kTrayProgram);
        loadShippedConfig();
    }
};

QProcess* startKxctl(const QStringList& arguments, QObject* parent) {
    auto* process = new QProcess(parent);
    process->start(TestEnv::programDir() + QStringLiteral("kxctl"), arguments);
    return process;
}

// Its exit code once it ended; -1 when it did not.
int finished(QProcess* process) {
    if (!process->waitForFinished(60000) || process->exitStatus() != QProcess::NormalExit)
        return -1;
    return process->exitCode();
}

} // namespace

class TestKxctlTray : public QObject {
    Q_OBJECT

private slots:
    void aJoinByKxctlShowsInTheTrayProgram();
    void profilesSavedAtOnceAreAllKept();
    void ctrlCEndsAWaitForALockAnotherProgramKeeps();
};

void TestKxctlTray::aJoinByKxctlShowsInTheTrayProgram() {
    TrayProgram t;
    QVERIFY(t.openShippedLanguage());
    kxsim_set_manual_clock(0); // kxctl waits in real time
    WindowlessHost window;
    StationMonitor tray(t.ctx, window);
    tray.initialise();
    tray.tick();

    QProcess* join = startKxctl({"join", "HomeWEP64", "--key", "1234567890"}, this);
    QCOMPARE(finished(join), 0);
    QVERIFY(join->readAllStandardOutput().contains("joined \"HomeWEP64\""));
    tray.tick();
    QCOMPARE(tray.view().answers.ssid, QString("HomeWEP64"));
    QCOMPARE(tray.view().answers.channel, 1);
    QCOMPARE(t.adapterValue("SSID"), QString("HomeWEP64"));

    // And back: what the tray program sends, kxctl reads.
    QVERIFY(t.ctx.settings.setChannel(11).ok());
    QProcess* status = startKxctl({"status", "--json"}, this);
    QCOMPARE(finished(status), 0);
    QVERIFY(status->readAllStandardOutput().contains("\"ssid\": \"HomeWEP64\""));
    QCOMPARE(t.adapterValue("RFChannel"), QString("11"));
}

void TestKxctlTray::profilesSavedAtOnceAreAllKept() {
    TrayProgram t;
    WindowlessHost window;
    StationMonitor tray(t.ctx, window);
    tray.initialise();
    QList<QProcess*> others;
    for (int i = 0; i < 3; ++i)
        others.append(startKxctl({"profile", "save", QStringLiteral("Ctl%1").arg(i)}, this));
    for (int i = 0; i < 15; ++i)
        QVERIFY(t.ctx.settings.saveProfile(QStringLiteral("Tray%1").arg(i)).ok());
    for (QProcess* other : others)
        QCOMPARE(finished(other), 0);
    const QStringList names = t.ctx.store.profileNames();
    QVERIFY2(names.size() == 18, qPrintable(names.join(u',')));
    for (int i = 0; i < 3; ++i)
        QVERIFY(names.contains(QStringLiteral("Ctl%1").arg(i)));
}

void TestKxctlTray::ctrlCEndsAWaitForALockAnotherProgramKeeps() {
    TrayProgram t;
    QCOMPARE(finished(startKxctl({"status"}, this)), 0); // the adapters' keys are installed
    const std::string lock = Registry::hiveFile(Hive::LocalMachine).string() + ".lock";
    const FileLock held(lock, std::chrono::milliseconds(0));
    QVERIFY(held.isHeld());
    const QString trace = t.env.path() + QStringLiteral("/trace");
    QProcess set;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KX02APP_TRACE"), trace);
    set.setProcessEnvironment(environment);
    set.start(TestEnv::programDir() + QStringLiteral("kxctl"), {"set", "channel", "3"});
    // The adapter has the channel; recording it waits for the lock.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile file(trace);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("SetWL_Channel");
        }(),
        20000);
    ::kill(static_cast<pid_t>(set.processId()), SIGINT);
    QVERIFY(set.waitForFinished(3000));
    QCOMPARE(set.exitCode(), 130);
    QVERIFY(set.readAllStandardError().contains(QByteArray::fromStdString(lock)));
}

QTEST_GUILESS_MAIN(TestKxctlTray)
#include "test_kxctl_tray.moc"
