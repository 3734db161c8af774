#include <QTest>

#include "settings/StationCodes.h"

using kx::StationCodes;

class TestStationCodes final : public QObject {
    Q_OBJECT
private slots:
    void ratePositionRoundTrip_data();
    void ratePositionRoundTrip();
    void rateCodesOutsideTheTableShowAuto_data();
    void rateCodesOutsideTheTableShowAuto();
    void typeCodes_data();
    void typeCodes();
    void positionsPastTheTablesSendNothing();
    void offeredChannels_data();
    void offeredChannels();
    void operationChannels();
    void channelFallback();
};

void TestStationCodes::ratePositionRoundTrip_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    const int codes[] = {1, 2, 4, 8, 15, 16, 32, 64};
    for (int p = 0; p < 8; ++p)
        QTest::addRow("position %d", p) << p << codes[p];
}

void TestStationCodes::ratePositionRoundTrip() {
    QFETCH(int, position);
    QFETCH(int, code);
    QCOMPARE(StationCodes::rateCode(position), code);
    QCOMPARE(StationCodes::ratePosition(code), position);
}

void TestStationCodes::rateCodesOutsideTheTableShowAuto_data() {
    QTest::addColumn<int>("code");
    for (int code : {0, 3, 5, 14, 17, 63, 128, -1})
        QTest::addRow("code %d", code) << code;
}

void TestStationCodes::rateCodesOutsideTheTableShowAuto() {
    QFETCH(int, code);
    QCOMPARE(StationCodes::ratePosition(code), 4);
}

void TestStationCodes::typeCodes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("position");
    QTest::newRow("ad hoc") << 0 << 0;
    QTest::newRow("infrastructure") << 1 << 1;
    QTest::newRow("pseudo IBSS") << 3 << 2;
    QTest::newRow("2 unknown") << 2 << 1;
    QTest::newRow("failed query") << -1 << 1;
}

void TestStationCodes::typeCodes() {
    QFETCH(int, code);
    QFETCH(int, position);
    QCOMPARE(StationCodes::typePosition(code), position);
}

void TestStationCodes::positionsPastTheTablesSendNothing() {
    QCOMPARE(StationCodes::rateCount(), 8);
    QCOMPARE(StationCodes::typeCount(), 3);
    QCOMPARE(StationCodes::rateCode(8), -1);
    QCOMPARE(StationCodes::rateCode(-1), -1);
    QCOMPARE(StationCodes::typeCode(2), 3);
    QCOMPARE(StationCodes::typeCode(3), -1);
    QCOMPARE(StationCodes::typeCode(-1), -1);
}

void TestStationCodes::offeredChannels_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<int>>("channels");
    QTest::newRow("1 to 11") << 0x07FF << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("all") << 0x3FFF << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    QTest::newRow("10 and 11") << 0x0600 << QList<int>{10, 11};
    QTest::newRow("bits past 14 ignored") << 0xC001 << QList<int>{1};
    QTest::newRow("none") << 0 << QList<int>{};
}

void TestStationCodes::offeredChannels() {
    QFETCH(int, mask);
    QFETCH(QList<int>, channels);
    QCOMPARE(StationCodes::offeredChannels(static_cast<std::uint16_t>(mask)), channels);
}

void TestStationCodes::operationChannels() {
    QCOMPARE(StationCodes::operationChannels(0x0421), (QList<int>{1, 6, 11}));
    QCOMPARE(StationCodes::operationChannels(0x0421).indexOf(11), 2);
    // A failed query offers nothing rather than every channel.
    QCOMPARE(StationCodes::operationChannels(-1), QList<int>{});
    QCOMPARE(StationCodes::operationChannels(-2), QList<int>{});
}

void TestStationCodes::channelFallback() {
    QCOMPARE(StationCodes::shownChannel(0), 6);
    QCOMPARE(StationCodes::shownChannel(-1), 6);
    QCOMPARE(StationCodes::shownChannel(1), 1);
    QCOMPARE(StationCodes::shownChannel(13), 13);
}

QTEST_APPLESS_MAIN(TestStationCodes)
#include "test_stationcodes.moc"
