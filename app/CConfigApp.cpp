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

    if (SingleInstance::isRunning(LanguageChoice::programTitle()))
        return 0;

    CMainDlg mainDlg;
    CTrayIcon tray; // declared after the window, so it goes first at the end
    tray.createWithProgramTexts();
    QObject::connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);

    SingleInstance instance;
    QObject::connect(&mainDlg, &QWidget::windowTitleChanged, &instance, &SingleInstance::announce);

    QEventLoop run;
    QObject::connect(&mainDlg, &CMainDlg::runEnded, &run, &QEventLoop::quit);
    mainDlg.initialise();
    instance.announce(mainDlg.windowTitle());
    run.exec();
    return 0;
}

} // namespace kx
