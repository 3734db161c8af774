#pragma once
// Stands in for the notification-area icon on a desktop that has none: a small
// frameless window with the tray image that stays on top, so the hidden program can
// always be reached. Right click opens the tray menu, double click runs the default.

#include <QWidget>

class QLabel;

namespace kx {

class TrayIndicator final : public QWidget {
    Q_OBJECT
public:
    explicit TrayIndicator(const QIcon& icon);

signals:
    void doubleClicked();
    void menuRequested(const QPoint& globalPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace kx
