#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include "ui/ProductIcons.h"

using kx::ProductIcons;

namespace {

// The icon's own pixels at this size: none scaled, and not blank.
bool drawnAt(const QIcon& icon, int size) {
    if (!icon.availableSizes().contains(QSize(size, size)))
        return false;
    const QImage image = icon.pixmap(size).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
        }
    }
    return false;
}

} // namespace

class TestProductIcons final : public QObject {
    Q_OBJECT

private slots:
    // Each icon at the sizes a notification area, the window and the status animation
    // ask for; a missing one would be scaled or, worse, blank.
    void everyIconIsDrawnAtTheSizesItIsShown() {
        for (const int size : {16, 22, 24, 32, 48, 64})
            QVERIFY2(drawnAt(ProductIcons::tray(), size), qPrintable(QString::number(size)));
        for (const int size : {16, 32, 48, 128})
            QVERIFY2(drawnAt(ProductIcons::application(), size), qPrintable(QString::number(size)));
        for (int frame = 0; frame < ProductIcons::kStatusFrames; ++frame)
            QVERIFY(drawnAt(ProductIcons::statusFrame(frame), 32));
    }

    void statusFramesDifferAndWrapAround() {
        const auto image = [](int frame) {
            return ProductIcons::statusFrame(frame).pixmap(32).toImage();
        };
        QVERIFY(image(0) != image(1));
        QVERIFY(image(1) != image(2));
        QCOMPARE(image(ProductIcons::kStatusFrames), image(0));
        QCOMPARE(image(-1), image(ProductIcons::kStatusFrames - 1));
    }
};

QTEST_MAIN(TestProductIcons)
#include "test_producticons.moc"
