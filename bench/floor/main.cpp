// The floor KXConfig is measured against: the least a Qt 6 Widgets program needs to
// live in the notification area. One dialog, hidden until the icon is double-clicked or
// its menu's first item is taken, and a menu of two items whose second ends the program.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace {

// Drawn here so that the floor loads no image format or icon engine.
QIcon plainIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x6f, 0xb2));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(2, 2, 28, 28);
    return QIcon(pixmap);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Floor Tray Program"));
    dialog.resize(320, 200);

    QMenu menu;
    QAction* open = menu.addAction(QStringLiteral("Open Window"));
    QAction* exit = menu.addAction(QStringLiteral("Exit"));
    QObject::connect(open, &QAction::triggered, &dialog, &QDialog::show);
    QObject::connect(exit, &QAction::triggered, &application, &QApplication::quit);

    QSystemTrayIcon tray(plainIcon());
    tray.setToolTip(QStringLiteral("Floor Tray Program"));
    tray.setContextMenu(&menu);
    QObject::connect(&tray, &QSystemTrayIcon::activated, &dialog,
                     [&dialog](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::DoubleClick)
                             dialog.show();
                     });
    tray.show();
    return QApplication::exec();
}
