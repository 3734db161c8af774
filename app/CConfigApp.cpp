#include "app/CConfigApp.h"

#include <QApplication>
#include <QEventLoop>

#include "app/CTrayIcon.h"
#include "app/LanguageChoice.h"
#include "app/SingleInstance.h"
#include "mainwnd/CMainDlg.h"

namespace kx {

CConfigApp::CConfigApp() : m_context(m_seam) {}

int CConfigApp::run() {
    // Windows come and go (dialogs, the indicator); only the exit command ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    m_context.config.load(ProgramConfig::defaultPath());
    LanguageChoice::startup(m_context.language, m_context.config);

    // Finding the title taken and claiming it are one step, before any window exists:
    // of two copies started at once exactly one runs, the other ends silently.
    SingleInstance instance;
    if (!instance.announce(LanguageChoice::programTitle(m_context.language)))
        return 0;

    CMainDlg mainDlg(m_context);
    CTrayIcon tray(m_context.language); // declared after the window, so it goes first at the end
    m_context.tray = &tray;
    tray.createWithProgramTexts();
    QObject::connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);
    QObject::connect(&tray, &QObject::destroyed, [this] { m_context.tray = nullptr; });

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
