#include <QApplication>

#include "app/CConfigApp.h"
#include "program/CommandLine.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = kx::CommandLine::answer(argc, argv))
        return *answered;
    QApplication application(argc, argv);
    // Ties the windows to the menu entry where the desktop matches them by name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tolva.kxconfig"));
    return kx::CConfigApp().run();
}
