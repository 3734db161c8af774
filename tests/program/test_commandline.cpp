// The standard options: --help and --version answer and end; everything else on the
// command line still starts the program as if nothing had been given.

#include <QDir>
#include <QProcess>
#include <QTest>

#include <cstdio>

#include "program/CommandLine.h"
#include "tests/support/TestEnv.h"

using namespace kx;

class TestCommandLine final : public QObject {
    Q_OBJECT

private slots:
    void requests_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Request>("request");
        const auto row = [](const char* name, QStringList args, CommandLine::Request r) {
            args.prepend(QStringLiteral("kxconfig"));
            QTest::newRow(name) << args << r;
        };
        row("nothing", {}, CommandLine::Request::Run);
        row("help", {"--help"}, CommandLine::Request::Help);
        row("short help", {"-h"}, CommandLine::Request::Help);
        row("version", {"--version"}, CommandLine::Request::Version);
        row("first one wins", {"--version", "--help"}, CommandLine::Request::Version);
        row("after unknown words", {"-platform", "xcb", "extra", "-h"}, CommandLine::Request::Help);
        row("unknown options are ignored", {"--verbose", "-v", "--helpme", "--help=all"},
            CommandLine::Request::Run);
        row("not after --", {"--", "--version"}, CommandLine::Request::Run);
    }
    void requests() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Request, request);
        QCOMPARE(CommandLine::parse(arguments), request);
    }

    void aFailedWriteIsNoSuccess() {
        std::FILE* full = std::fopen("/dev/full", "w");
        if (!full)
            QSKIP("no /dev/full here");
        QCOMPARE(CommandLine::answer({"kxconfig", "--version"}, full), 1);
        std::fclose(full);
    }

    // The real program answers without a display and touches nothing: no settings are
    // created, no driver runs.
    void programAnswersWithoutTouchingAnything() {
        QTemporaryDir dir;
        QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            vars.remove(QString::fromLatin1(name));
        vars.insert(QStringLiteral("KXCONFIG_REGISTRY_DIR"), dir.filePath("registry"));
        vars.insert(QStringLiteral("KX02APP_STATE_DIR"), dir.filePath("state"));
        vars.insert(QStringLiteral("KX02APP_TRACE"), dir.filePath("trace"));
        const QString program = test::TestEnv::programDir() + QStringLiteral("kxconfig");

        for (const QString& option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
            QProcess process;
            process.setProcessEnvironment(vars);
            process.start(program, {option});
            QVERIFY(process.waitForFinished(30000));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 0);
            const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
            QVERIFY2(out.startsWith(option == u"--help" ? QStringLiteral("Usage: kxconfig")
                                                        : QStringLiteral("KXConfig 1.")),
                     qPrintable(out));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
