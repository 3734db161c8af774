#include <QTest>

#include "driver/Channels.h"

using kx::Channels;

class TestChannels final : public QObject {
    Q_OBJECT
private slots:
    void ofMask_data();
    void ofMask();
    void ofOperationList();
    void fallback();
    void frequencies();
};

void TestChannels::ofMask_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<int>>("channels");
    QTest::newRow("1 to 11") << 0x07FF << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("all") << 0x3FFF << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    QTest::newRow("10 and 11") << 0x0600 << QList<int>{10, 11};
    QTest::newRow("bits past 14 ignored") << 0xC001 << QList<int>{1};
    QTest::newRow("none") << 0 << QList<int>{};
}

void TestChannels::ofMask() {
    QFETCH(int, mask);
    QFETCH(QList<int>, channels);
    const std::vector<int> found = Channels::ofMask(static_cast<std::uint16_t>(mask));
    QCOMPARE(QList<int>(found.begin(), found.end()), channels);
}

void TestChannels::ofOperationList() {
    QCOMPARE(Channels::ofOperationList(0x0421), (std::vector<int>{1, 6, 11}));
    // A failed query offers nothing rather than every channel.
    QVERIFY(Channels::ofOperationList(-1).empty());
    QVERIFY(Channels::ofOperationList(-2).empty());
}

void TestChannels::fallback() {
    QCOMPARE(Channels::shown(0), 6);
    QCOMPARE(Channels::shown(-1), 6);
    QCOMPARE(Channels::shown(1), 1);
    QCOMPARE(Channels::shown(13), 13);
}

// The driver reports frequencies, the windows show channels: both ways agree.
void TestChannels::frequencies() {
    for (int channel = 1; channel <= 14; ++channel)
        QCOMPARE(Channels::ofFrequencyKHz(Channels::frequencyKHz(channel)), channel);
    QCOMPARE(Channels::frequencyKHz(1), 2412000u);
    QCOMPARE(Channels::frequencyKHz(14), 2484000u);
}

QTEST_APPLESS_MAIN(TestChannels)
#include "test_channels.moc"
