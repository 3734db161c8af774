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

QTEST_APPLESS_MAIN(TestStationCodes)
#include "test_stationcodes.moc"
