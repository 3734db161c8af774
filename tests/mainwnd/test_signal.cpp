// Averaging of the link samples and their mapping to percentages and dBm.

#include <limits>

#include <QTest>

#include "mainwnd/SignalHistory.h"
#include "mainwnd/SignalMapping.h"

using namespace kx;

class TestSignal final : public QObject {
    Q_OBJECT

private slots:
    void zeroPacketSampleIsNotStored() {
        SignalHistory h;
        h.add(300, 60, 3);
        h.add(0, 99, 0);
        h.add(90, 30, 1);
        QCOMPARE(h.sampleCount(), 2);
        QCOMPARE(h.average().quality, 97); // 390 / 4
        QCOMPARE(h.average().signal, 45);  // 90 / 2
    }

    void ringKeepsTheLastSix() {
        SignalHistory h;
        for (int i = 0; i < 6; ++i)
            h.add(0, 10, 1);
        for (int i = 0; i < 3; ++i)
            h.add(0, 70, 1);
        QCOMPARE(h.sampleCount(), 6);
        QCOMPARE(h.average().signal, (3 * 10 + 3 * 70) / 6);
    }

    void emptyAndClearedHistory() {
        SignalHistory h;
        QCOMPARE(h.average().quality, 0);
        QCOMPARE(h.average().signal, 0);
        h.add(50, 50, 5);
        h.clear();
        QCOMPARE(h.sampleCount(), 0);
        QCOMPARE(h.average().signal, 0);
    }

    void extremeDriverAnswersDoNotOverflow() {
        SignalHistory h;
        const int big = std::numeric_limits<int>::max();
        for (int i = 0; i < 6; ++i)
            h.add(big, big, 1);
        QCOMPARE(h.average().signal, big);
        QCOMPARE(h.average().quality, big);
    }

    void signalPercent_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("percent");
        QTest::newRow("middle") << 50 << 20 << 80 << 50;
        QTest::newRow("below") << 10 << 20 << 80 << 0;
        QTest::newRow("above") << 95 << 20 << 80 << 100;
        QTest::newRow("integer division") << 41 << 20 << 80 << 35;
        QTest::newRow("bounds omitted") << 50 << 0 << 0 << 0;
        QTest::newRow("bounds equal") << 50 << 40 << 40 << 0;
        QTest::newRow("bounds inverted") << 50 << 80 << 20 << 0;
        QTest::newRow("full int range")
            << std::numeric_limits<int>::max() << std::numeric_limits<int>::min()
            << std::numeric_limits<int>::max() << 100;
    }
    void signalPercent() {
        QFETCH(int, signal);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, percent);
        QCOMPARE(SignalMapping::signalPercent(signal, {min, max}), percent);
    }

    void qualityPercent_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<int>("percent");
        QTest::newRow("newer chip") << 97 << 0 << 100 << true << 97;
        QTest::newRow("older chip") << 97 << 0 << 100 << false << 3;
        QTest::newRow("older chip with offset") << 30 << 20 << 60 << false << 75;
        QTest::newRow("newer chip with offset") << 30 << 20 << 60 << true << 25;
        QTest::newRow("clamped high") << 500 << 0 << 100 << true << 100;
        QTest::newRow("clamped low, older") << -5 << 0 << 100 << false << 100;
        QTest::newRow("bounds omitted") << 50 << 0 << 0 << true << 0;
        QTest::newRow("bounds inverted, older") << 50 << 100 << 0 << false << 0;
    }
    void qualityPercent() {
        QFETCH(int, quality);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(bool, newer);
        QFETCH(int, percent);
        QCOMPARE(SignalMapping::qualityPercent(quality, {min, max}, newer), percent);
    }

    void signalTexts() {
        const SignalRange range{0, 100};
        QCOMPARE(SignalMapping::signalText(70, range, true, true), QStringLiteral("-30 dBm"));
        QCOMPARE(SignalMapping::signalText(70, range, true, false), QStringLiteral("-35 dBm"));
        QCOMPARE(SignalMapping::signalText(70, range, false, true), QStringLiteral("70%"));
        // The dBm text follows the clamped signal.
        QCOMPARE(SignalMapping::signalText(95, {20, 80}, true, true), QStringLiteral("-20 dBm"));
        // The survey column uses 105 on every chip and needs no range for dBm.
        QCOMPARE(SignalMapping::surveyStrengthText(70, {}, true), QStringLiteral("-35 dBm"));
        QCOMPARE(SignalMapping::surveyStrengthText(95, {20, 80}, false), QStringLiteral("100%"));
        QCOMPARE(SignalMapping::surveyStrengthText(std::numeric_limits<int>::min(), {}, true),
                 QString::number(std::numeric_limits<int>::min()) + QStringLiteral(" dBm"));
    }
};

QTEST_GUILESS_MAIN(TestSignal)
#include "test_signal.moc"
