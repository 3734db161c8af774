#pragma once
// The program's own icons, drawn from SVG at build time at every size they are shown.

#include <QIcon>

namespace kx {

class ProductIcons final {
public:
    static constexpr int kStatusFrames = 3;
    static constexpr int kReceiveFrames = 8;

    static QIcon application();
    static QIcon tray();
    // Frame 0..2 of the status animation; more waves are lit in the later frames.
    static QIcon statusFrame(int frame);
    // Frame 0..7 of the animation that runs while test frames arrive.
    static QIcon receiveFrame(int frame);
};

} // namespace kx
