// The application's run as a whole: what happens before the main window exists, that the
// window never shows itself, and the orderly end through the tray's exit command or a
// termination signal.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <csignal>

#include "app/CConfigApp.h"
#include "app/CTrayIcon.h"
#include "mainwnd/ui/CMainDlg.h"
#include "platform/FileLock.h"
#include "platform/Registry.h"
#include "program/LanguageChoice.h"
#include "program/ProgramConfig.h"
#include "program/SingleInstance.h"
#include "program/UserProfile.h"
#include "tests/support/ScriptedSeam.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestEnv.h"

using namespace kx;

namespace {

const QString kTitle = QStringLiteral("Tolva Wireless LAN Configuration Tool");

// Counts every show of a main window, however brief.
class ShowCounter final : public QObject {
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<CMainDlg*>(watched) != nullptr)
            ++shows;
        return false;
    }
};

CMainDlg* runningMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dlg = qobject_cast<CMainDlg*>(w))
            return dlg;
    }
    return nullptr;
}

} // namespace

class TestConfigApp final : public QObject {
    Q_OBJECT

private slots:
    void runsHiddenAndEndsInOrder() {
        test::TestEnv env;
        test::clearSimTrace();
        ShowCounter counter;

        bool sawWindow = false;
        bool hiddenWhileRunning = false;
        bool trayWhileRunning = false;
        bool announced = false;
        bool trayGoneBeforeWindow = false;
        test::ScriptedSeam seam; // KXConfig.INI is not beside the test
        CConfigApp app(&seam);
        // Once the run has begun: the window exists hidden, the icon is there and the
        // title is announced.
        QTimer::singleShot(0, [&] {
            CMainDlg* dlg = runningMainWindow();
            sawWindow = dlg != nullptr;
            const auto* tray = dynamic_cast<CTrayIcon*>(app.context().tray);
            trayWhileRunning = tray != nullptr && tray->isActive();
            announced = SingleInstance::isRunning(kTitle + QStringLiteral("  "));
            if (dlg)
                connect(dlg, &QObject::destroyed,
                        [&] { trayGoneBeforeWindow = app.context().tray == nullptr; });
        });
        // Past the first status ticks, then the tray's exit command, as the user gives it.
        QTimer::singleShot(2500, [&] {
            CMainDlg* dlg = runningMainWindow();
            hiddenWhileRunning = dlg != nullptr && !dlg->isVisible();
            if (auto* tray = dynamic_cast<CTrayIcon*>(app.context().tray))
                emit tray->command(CTrayIcon::ExitCommand);
        });
        QCOMPARE(app.run(), 0);

        QVERIFY(sawWindow);
        QVERIFY(hiddenWhileRunning);
        QCOMPARE(counter.shows, 0);
        QVERIFY(trayWhileRunning);
        QVERIFY(announced);
        QVERIFY(trayGoneBeforeWindow);
        QVERIFY(runningMainWindow() == nullptr);
        QVERIFY(!SingleInstance::isRunning(kTitle + QStringLiteral("  ")));
        // First start: the title is stored without the blanks the window carries.
        QCOMPARE(UserProfile::readString(LanguageChoice::kProgramTitleValue, QString()), kTitle);

        // The language file is chosen before any adapter is looked at; the last word
        // goes to the system's wireless configuration service.
        const QList<test::TraceCall> calls = test::simTrace();
        QVERIFY(!calls.isEmpty());
        QCOMPARE(calls.first().fn, QStringLiteral("QueryWL_IsWindows2000"));
        QCOMPARE(calls.last().fn, QStringLiteral("SetWL_DisableWirelessZeroConfiguration"));
        QCOMPARE(calls.last().args, QJsonArray{0});
    }

    void aRunningCopyEndsTheStartBeforeAnyWindow() {
        test::TestEnv env;
        SingleInstance other;
        QVERIFY(other.announce(kTitle + QStringLiteral("  ")));
        test::clearSimTrace();
        ShowCounter counter;

        test::ScriptedSeam seam; // KXConfig.INI is not beside the test
        CConfigApp app(&seam);
        QCOMPARE(app.run(), 0);

        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY(app.context().tray == nullptr);
        QCOMPARE(counter.shows, 0);
        QCOMPARE(test::simCalls(), QStringList{QStringLiteral("QueryWL_IsWindows2000()")});
        QVERIFY(SingleInstance::isRunning(kTitle + QStringLiteral("  ")));
    }

    // SIGTERM (a session that ends) while the professional sheet is up: the sheet still
    // puts the radio back before the program ends as after the exit command.
    void aTerminationSignalClosesOpenDialogsFirst() {
        test::TestEnv env;
        test::clearSimTrace();
        test::ScriptedSeam seam;
        CConfigApp app(&seam);
        // A real modal run: the end has a nested event loop to leave.
        seam.onModal = [](QDialog& dialog) { return dialog.exec(); };
        QTimer::singleShot(0, [&app] {
            ProgramConfig& config = app.context().config;
            config.Release_Mode = ProgramConfig::kProfessionalCode;
            config.DBG_Command_Page = 1;
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            app.context().professionalSheet(runningMainWindow());
        });
        QCOMPARE(app.run(), 0);

        QCOMPARE(seam.modalClasses, QStringList{"kx::CMainAdvanced"});
        const QStringList calls = test::simCalls({"SetWL_TxContinuous", "SetWL_Disable"});
        QCOMPARE(calls, (QStringList{"SetWL_TxContinuous(0)",
                                     "SetWL_DisableWirelessZeroConfiguration(0)"}));
        QVERIFY(runningMainWindow() == nullptr);
    }

    // Nothing at start-up fails without a word, and none of it stops the program.
    void startUpSaysWhatItCannotUse() {
        test::TestEnv env;
        test::ScriptedSeam seam;
        QVERIFY(QDir().mkpath(env.registryDir()));
        const std::filesystem::path hiveLock =
            Registry::hiveFile(Hive::CurrentUser).string() + ".lock";
        const FileLock stuck(hiveLock, std::chrono::milliseconds(0));
        QVERIFY(stuck.isHeld());
        const QString title = kTitle + QStringLiteral("  ");
        QVERIFY(QFile::link(env.path() + QStringLiteral("/elsewhere"),
                            SingleInstance::lockPath(title)));
        bool running = false;
        CConfigApp app(&seam);
        QTimer::singleShot(0, [&] {
            running = runningMainWindow() != nullptr;
            if (auto* tray = dynamic_cast<CTrayIcon*>(app.context().tray))
                emit tray->command(CTrayIcon::ExitCommand);
        });
        QCOMPARE(app.run(), 0);
        Registry::setReadOnly(std::nullopt);

        QVERIFY(running);
        QCOMPARE(seam.messages.size(), 3);
        const QString missingIni = ProgramConfig::defaultPath();
        QVERIFY2(seam.messages[0].text.startsWith(missingIni + QStringLiteral(" cannot be read: ")),
                 qPrintable(seam.messages[0].text));
        QVERIFY2(seam.messages[1].text.contains(QString::fromStdString(hiveLock.string())),
                 qPrintable(seam.messages[1].text));
        QVERIFY2(seam.messages[2].text.contains(QStringLiteral("is a symbolic link")),
                 qPrintable(seam.messages[2].text));
        QVERIFY(!QFile::exists(env.path() + QStringLiteral("/elsewhere")));
        // The first start's title could not be stored: the settings stayed read-only.
        QCOMPARE(UserProfile::readString(LanguageChoice::kProgramTitleValue, QString()), QString());
    }
};

QTEST_MAIN(TestConfigApp)
#include "test_configapp.moc"
