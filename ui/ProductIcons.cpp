#include "ui/ProductIcons.h"

#include <QImage>
#include <QPixmap>

#include "ui/ProductIconImages.h"

namespace kx {

namespace {

// Every size drawn for the icon; Qt picks the one that fits where it is shown.
QIcon fromImages(const QString& name) {
    QIcon icon;
    for (int i = 0; i < kProductIconCount; ++i) {
        if (QLatin1StringView(kProductIconImages[i].name) != name)
            continue;
        for (const IconImage& image : kProductIconImages[i].images)
            icon.addPixmap(
                QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.pixels), image.size,
                                          image.size, QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

int wrapped(int frame, int frames) {
    return ((frame % frames) + frames) % frames;
}

} // namespace

QIcon ProductIcons::application() {
    return fromImages(QStringLiteral("app"));
}

QIcon ProductIcons::tray() {
    return fromImages(QStringLiteral("tray"));
}

QIcon ProductIcons::statusFrame(int frame) {
    return fromImages(QStringLiteral("status-%1").arg(wrapped(frame, kStatusFrames)));
}

QIcon ProductIcons::receiveFrame(int frame) {
    return fromImages(QStringLiteral("receive-%1").arg(wrapped(frame, kReceiveFrames)));
}

} // namespace kx
