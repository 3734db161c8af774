#include "app/CConfigApp.h"

#include <QApplication>
#include <QFile>

#include <chrono>
#include <cstdio>

#include "app/CTrayIcon.h"
#include "mainwnd/ui/CMainDlg.h"
#include "platform/PrivateProfile.h"
#include "platform/Registry.h"
#include "pro/sheet/ui/CMainAdvanced.h"
#include "program/LanguageChoice.h"
#include "program/SingleInstance.h"
#include "program/TerminationSignals.h"

namespace kx {

namespace {

// A registry writer holds its lock for milliseconds; one held this long is stuck.
constexpr std::chrono::seconds kRegistryLockWait(2);

} // namespace

CConfigApp::CConfigApp(UiSeam* ui) : m_context(ui ? *ui : m_screen) {}

// Start-up problems: no window exists yet, so a message of its own and a line on stderr.
void CConfigApp::tell(const QString& text) {
    std::fprintf(stderr, "kxconfig: %s\n", qPrintable(text));
    m_context.ui.inform(nullptr, QStringLiteral("KXConfig"), text);
}

// Without the file no adapter is supported; the defaults alone would say nothing.
void CConfigApp::checkConfigFile(const QString& path) {
    const std::string reason =
        PrivateProfile::unreadableReason(QFile::encodeName(path).toStdString());
    if (!reason.empty())
        tell(QStringLiteral("%1 cannot be read: %2. No adapter is supported without it.")
                 .arg(path, QString::fromStdString(reason)));
}

// A directory that is not ours alone (another user's, or one others may write) is neither
// read nor written; saying so once here spares a message at every change.
bool CConfigApp::checkRegistryDirectory() {
    if (Registry::makeDirectory() == 0)
        return true;
    const RegistryFailure failure = Registry::lastFailure();
    Registry::setReadOnly(failure);
    tell(QStringLiteral("The settings folder %1 cannot be used (%2). KXConfig runs, but no "
                        "setting is read or saved.")
             .arg(QString::fromStdString(failure.file.string()),
                  QString::fromStdString(failure.reason)));
    return false;
}

// A lock that another program keeps would stall every settings change: go on without them.
void CConfigApp::checkRegistryLocks() {
    if (Registry::waitForLocks(kRegistryLockWait) == 0)
        return;
    RegistryFailure failure = Registry::lastFailure();
    failure.reason = "locked by another program since start-up";
    Registry::setReadOnly(failure);
    tell(QStringLiteral("The settings are locked by another program (%1). KXConfig runs, but "
                        "no change of a setting is saved.")
             .arg(QString::fromStdString(failure.file.string())));
}

int CConfigApp::run() {
    // Windows come and go (dialogs, the indicator); only the exit command ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    // The exit command, the end a page asks for (UiSeam::endProcess) and a termination
    // signal all leave every event loop: open dialogs close as if cancelled, and what
    // they do on closing (the professional sheet's radio clean-up) still happens. A
    // signal during start-up (a wait for a lock, a message) ends the run before it begins.
    TerminationSignals termination;
    bool ending = false;
    QObject::connect(&termination, &TerminationSignals::requested, qApp, [&ending] {
        ending = true;
        QCoreApplication::exit(0);
    });

    m_context.config.load(ProgramConfig::defaultPath());
    checkConfigFile(ProgramConfig::defaultPath());
    if (checkRegistryDirectory())
        checkRegistryLocks();
    LanguageChoice::startup(m_context.language, m_context.config);

    // Finding the title taken and claiming it are one step, before any window exists:
    // of two copies started at once exactly one runs, the other ends silently.
    SingleInstance instance;
    if (!instance.announce(LanguageChoice::programTitle(m_context.language)))
        return 0;
    if (!instance.problem().isEmpty())
        tell(QStringLiteral("KXConfig cannot tell whether it is running already: %1.")
                 .arg(instance.problem()));

    CMainAdvanced::install(m_context);
    CMainDlg mainDlg(m_context);
    CTrayIcon tray(m_context.language); // declared after the window, so it goes first at the end
    m_context.tray = &tray;
    tray.createWithProgramTexts();
    QObject::connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);
    QObject::connect(&tray, &QObject::destroyed, [this] { m_context.tray = nullptr; });

    QObject::connect(&mainDlg, &CMainDlg::runEnded, qApp, [] { QCoreApplication::exit(0); });
    mainDlg.initialise();
    // From here on the announcement follows the window's title (a language change).
    instance.announce(mainDlg.windowTitle());
    QObject::connect(&mainDlg, &QWidget::windowTitleChanged, &instance, &SingleInstance::announce);
    // A request heard by a start-up message's own loop is not heard again.
    if (ending)
        return 0;
    return QApplication::exec();
}

} // namespace kx
