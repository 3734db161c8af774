#include "mainwnd/ProductIcons.h"

#include <QString>

// Resources of a static library must be registered by hand, outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(kxconfig);
}

namespace kx {

namespace {

QIcon fromResource(const QString& path) {
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    return QIcon(path);
}

int wrapped(int frame, int frames) {
    return ((frame % frames) + frames) % frames;
}

} // namespace

QIcon ProductIcons::application() {
    return fromResource(QStringLiteral(":/icons/app.svg"));
}

QIcon ProductIcons::tray() {
    return fromResource(QStringLiteral(":/icons/tray.svg"));
}

QIcon ProductIcons::statusFrame(int frame) {
    return fromResource(QStringLiteral(":/icons/status-%1.svg").arg(wrapped(frame, kStatusFrames)));
}

QIcon ProductIcons::receiveFrame(int frame) {
    return fromResource(
        QStringLiteral(":/icons/receive-%1.svg").arg(wrapped(frame, kReceiveFrames)));
}

} // namespace kx
