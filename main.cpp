#include <QApplication>

#include "app/CConfigApp.h"
#include "app/CommandLine.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = kx::CommandLine::answer(argc, argv))
        return *answered;
    QApplication application(argc, argv);
    return kx::CConfigApp().run();
}
