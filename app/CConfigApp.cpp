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

    // Finding the title taken and claiming it are one step, before any window exists:
    // of two copies started at once exactly one runs, the other ends silently.
    SingleInstance instance;
    if (!instance.announce(LanguageChoice::programTitle()))
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
