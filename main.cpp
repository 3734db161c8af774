#include <QApplication>

#include "app/CConfigApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return kx::CConfigApp().run();
}
