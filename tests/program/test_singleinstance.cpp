// The single-instance rule: a running main window announces its title, and a second
// start of the real program beside it ends at once, silently, with exit code 0.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Registry.h"
#include "program/SingleInstance.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TestEnv.h"

using namespace kx;

namespace {

const QString kTitle = QStringLiteral("Tolva Wireless LAN Configuration Tool  ");
constexpr int kStartMs = 30000; // generous: sanitizer builds start slowly

class ProgramProcess final {
public:
    explicit ProgramProcess(const test::TestEnv& env, const QString& tracePath = QString()) {
        QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
        if (!tracePath.isEmpty())
            vars.insert(QStringLiteral("KX02APP_TRACE"), tracePath);
        vars.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        vars.insert(QStringLiteral("KXCONFIG_REGISTRY_DIR"), env.registryDir());
        vars.insert(QStringLiteral("KX02APP_STATE_DIR"), env.path() + QStringLiteral("/state"));
        m_process.setProcessEnvironment(vars);
        m_process.setProgram(test::TestEnv::programDir() + QStringLiteral("kxconfig"));
        m_process.start();
    }
    ~ProgramProcess() {
        m_process.kill();
        m_process.waitForFinished();
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

bool waitUntilAnnounced(const QString& title) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kStartMs) {
        if (SingleInstance::isRunning(title))
            return true;
        QTest::qWait(100);
    }
    return false;
}

} // namespace

class TestSingleInstance final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qunsetenv("XDG_RUNTIME_DIR"); }

    void theLockLivesWhereOnlyTheUserMayWrite() {
        test::TestEnv env;
        const QString runtime = env.path() + QStringLiteral("/run");
        QVERIFY(QDir().mkdir(runtime));
        QVERIFY(
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        QVERIFY(SingleInstance::lockPath(kTitle).startsWith(runtime + u'/'));
        // A runtime directory others may enter is not used.
        QVERIFY(QFile::setPermissions(runtime, QFile::permissions(runtime) | QFile::ExeOther));
        const QString lock = SingleInstance::lockPath(kTitle);
        qunsetenv("XDG_RUNTIME_DIR");
        QVERIFY(lock.startsWith(env.registryDir() + u'/'));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(env.registryDir()).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0700u);

        // Another local user can neither plant the lock file nor hold it.
        QVERIFY(QFile::setPermissions(env.path(), QFile::permissions(env.path()) | QFile::ExeOther |
                                                      QFile::ReadOther));
        const QByteArray path = QFile::encodeName(lock);
        const int planted = test::runAsOrdinaryUser([&] {
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0644);
            return fd < 0 ? 0 : 1;
        });
        QCOMPARE(planted, 0);
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        QVERIFY(running.problem().isEmpty());
    }

    // A lock file that is a link, or that another user made and holds, neither ends the
    // start silently nor is followed: the program runs and says why it cannot check.
    void aForeignOrLinkedLockFileIsRefused() {
        test::TestEnv env;
        const QString lock = SingleInstance::lockPath(kTitle);
        const QString target = env.path() + QStringLiteral("/target");
        QVERIFY(QFile::link(target, lock));
        {
            SingleInstance running;
            QVERIFY(running.announce(kTitle));
            QVERIFY2(running.problem() == lock + QStringLiteral(": is a symbolic link"),
                     qPrintable(running.problem()));
            QVERIFY(!SingleInstance::isRunning(kTitle));
            QVERIFY(!QFile::exists(target));
        }
        QVERIFY(QFile::remove(lock));

        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            // Another user's file, held as a running copy would hold it.
            const QByteArray path = QFile::encodeName(lock);
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0644);
            const bool held =
                fd >= 0 && ::fchown(fd, 65534, 65534) == 0 && ::flock(fd, LOCK_EX) == 0;
            const char byte = held ? 1 : 0;
            [[maybe_unused]] const ssize_t n = ::write(ready[1], &byte, 1);
            ::pause();
            ::_exit(0);
        }
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), ssize_t(1));
        ::close(ready[0]);
        ::close(ready[1]);
        SingleInstance running;
        const bool announced = running.announce(kTitle);
        const QString problem = running.problem();
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        QCOMPARE(byte, char(1));
        QVERIFY(announced);
        QCOMPARE(problem, lock + QStringLiteral(": belongs to another user"));
    }

    void announcedTitleIsFound() {
        test::TestEnv env;
        QVERIFY(!SingleInstance::isRunning(kTitle));
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        QVERIFY(SingleInstance::isRunning(kTitle));
        QVERIFY(!SingleInstance::isRunning(QStringLiteral("Another title  ")));
    }

    void aTitleChangeMovesTheAnnouncement() {
        test::TestEnv env;
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        QVERIFY(running.announce(QStringLiteral("Neuer Titel  ")));
        QVERIFY(!SingleInstance::isRunning(kTitle));
        QVERIFY(SingleInstance::isRunning(QStringLiteral("Neuer Titel  ")));
    }

    void anotherUsersRegistryIsAnotherUser() {
        test::TestEnv first;
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        test::TestEnv second;
        QVERIFY(!SingleInstance::isRunning(kTitle));
    }

    void aCopyThatDiedLeavesNothingBehind() {
        test::TestEnv env;
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            // A copy that holds the title and is then killed without any clean-up.
            const QByteArray path = QFile::encodeName(SingleInstance::lockPath(kTitle));
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0600);
            const bool locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
            const char byte = locked ? 1 : 0;
            [[maybe_unused]] const ssize_t n = ::write(ready[1], &byte, 1);
            ::pause();
            ::_exit(0);
        }
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), ssize_t(1));
        ::close(ready[0]);
        ::close(ready[1]);
        QCOMPARE(byte, char(1));
        QVERIFY(SingleInstance::isRunning(kTitle));

        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        QVERIFY(QFile::exists(SingleInstance::lockPath(kTitle)));
        QVERIFY(!SingleInstance::isRunning(kTitle));
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        QVERIFY(SingleInstance::isRunning(kTitle));
    }

    void aTakenTitleKeepsThePreviousAnnouncement() {
        test::TestEnv env;
        SingleInstance other;
        QVERIFY(other.announce(QStringLiteral("Neuer Titel  ")));
        SingleInstance running;
        QVERIFY(running.announce(kTitle));
        QVERIFY(!running.announce(QStringLiteral("Neuer Titel  ")));
        QCOMPARE(running.announcedTitle(), kTitle);
        QVERIFY(SingleInstance::isRunning(kTitle));
    }

    void secondStartEndsAtOnceWithoutDisturbingTheFirst() {
        test::TestEnv env;
        ProgramProcess first(env);
        QVERIFY2(waitUntilAnnounced(kTitle), "the first copy never announced its title");

        const QString trace = env.path() + QStringLiteral("/second.jsonl");
        ProgramProcess second(env, trace);
        QVERIFY(second.process().waitForFinished(kStartMs));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);

        // It chose its language file and stopped: no window looked for an adapter.
        QFile calls(trace);
        QVERIFY(calls.open(QIODevice::ReadOnly));
        QCOMPARE(calls.readAll(), QByteArray(R"({"fn":"QueryWL_IsWindows2000","args":[],"ret":1})"
                                             "\n"));

        QCOMPARE(first.process().state(), QProcess::Running);
        QVERIFY(SingleInstance::isRunning(kTitle));
    }

    void twoCopiesStartedAtOnceLeaveOneRunning() {
        test::TestEnv env;
        ProgramProcess first(env);
        ProgramProcess second(env);
        QVERIFY(waitUntilAnnounced(kTitle));
        const auto running = [&] {
            return int(first.process().state() == QProcess::Running) +
                   int(second.process().state() == QProcess::Running);
        };
        QElapsedTimer timer;
        timer.start();
        while (running() > 1 && timer.elapsed() < kStartMs)
            QTest::qWait(100);
        QTest::qWait(300);
        QCOMPARE(running(), 1);
        QProcess& ended =
            first.process().state() == QProcess::Running ? second.process() : first.process();
        QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended.exitCode(), 0);
    }

    void aStoredTitleOfAnotherLanguageLetsASecondCopyRun() {
        test::TestEnv env;
        ProgramProcess first(env);
        QVERIFY(waitUntilAnnounced(kTitle));
        // As if the title had been edited by hand: the test no longer finds the first.
        QCOMPARE(Registry::writeString(Hive::CurrentUser, "Software\\Tolva\\kxconfig",
                                       "KXConfigProgramTitle", "Edited by hand"),
                 0);
        ProgramProcess second(env);
        QVERIFY(!second.process().waitForFinished(2000));
        QCOMPARE(second.process().state(), QProcess::Running);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
