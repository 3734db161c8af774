#include "app/CConfigApp.h"

#include <QApplication>
#include <QEventLoop>

#include "adapter/AdapterState.h"
#include "app/CTrayIcon.h"
#include "app/LanguageChoice.h"
#include "app/ProgramConfig.h"
#include "app/SingleInstance.h"
#include "mainwnd/CMainDlg.h"

namespace kx {

int CConfigApp::run() {
    // Windows come and go (dialogs, the indicator); only the exit command ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    AdapterState::current().reset();
    ProgramConfig::instance().load(ProgramConfig::defaultPath());
    LanguageChoice::startup();

    // The title is claimed before any window exists: of two copies started at once,
    // the one that claims it first runs and the other ends as if it had found it.
    const QString title = LanguageChoice::programTitle();
    if (SingleInstance::isRunning(title))
        return 0;
    SingleInstance instance;
    if (!instance.announce(title) && SingleInstance::isRunning(title))
        return 0;

    CMainDlg mainDlg;
    CTrayIcon tray; // declared after the window, so it goes first at the end
    tray.createWithProgramTexts();
    QObject::connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);

    QEventLoop run;
    QObject::connect(&mainDlg, &CMainDlg::runEnded, &run, &QEventLoop::quit);
    mainDlg.initialise();
    // From here on the announcement follows the window's title (a language change).
    instance.announce(mainDlg.windowTitle());
    QObject::connect(&mainDlg, &QWidget::windowTitleChanged, &instance, &SingleInstance::announce);
    run.exec();
    return 0;
}

} // namespace kx
