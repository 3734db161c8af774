#include "app/TrayIndicator.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace kx {

namespace {
constexpr int kIconSize = 32;
constexpr int kMargin = 4;
} // namespace

TrayIndicator::TrayIndicator(const QIcon& icon)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("trayIndicator"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("trayIndicatorImage"));
    image->setPixmap(icon.pixmap(kIconSize, kIconSize));
    // Clicks belong to the window, not to the picture.
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(image);
    setFixedSize(kIconSize + 2 * kMargin, kIconSize + 2 * kMargin);
    // Top right corner of the work area, where a notification area usually is.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - kMargin, area.top() + kMargin);
    }
}

void TrayIndicator::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    event->accept();
}

void TrayIndicator::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos());
    event->accept();
}

} // namespace kx
