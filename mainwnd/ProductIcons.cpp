#include "mainwnd/ProductIcons.h"

#include <cstring>

#include <QImage>
#include <QPixmap>

#include "mainwnd/ProductIconImages.h"

namespace kx {

namespace {

// Every size drawn for the icon; Qt picks the one that fits where it is shown.
QIcon fromImages(const char* name) {
    QIcon icon;
    for (int i = 0; i < kProductIconCount; ++i) {
        if (std::strcmp(kProductIconImages[i].name, name) != 0)
            continue;
        for (const IconImage& image : kProductIconImages[i].images)
            icon.addPixmap(
                QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.pixels), image.size,
                                          image.size, QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

} // namespace

QIcon ProductIcons::application() {
    return fromImages("app");
}

QIcon ProductIcons::tray() {
    return fromImages("tray");
}

QIcon ProductIcons::statusFrame(int frame) {
    static constexpr const char* kFrames[kStatusFrames] = {"status-0", "status-1", "status-2"};
    return fromImages(kFrames[((frame % kStatusFrames) + kStatusFrames) % kStatusFrames]);
}

} // namespace kx
