// Decoding of survey records and station lists as the driver hands them over.

#include <cstring>

#include <QTest>

#include "driver/MacText.h"
#include "mainwnd/AccessPointTexts.h"
#include "mainwnd/SurveyRecord.h"

using namespace kx;

namespace {
WLSurveyRecord recordWith(const QByteArray& ssid, std::uint32_t length) {
    WLSurveyRecord r{};
    std::memcpy(r.ssid, ssid.constData(), static_cast<size_t>(qMin<qsizetype>(ssid.size(), 32)));
    r.ssidLength = length;
    return r;
}
} // namespace

class TestSurveyRecord final : public QObject {
    Q_OBJECT

private slots:
    void channel_data() {
        QTest::addColumn<uint>("kHz");
        QTest::addColumn<int>("channel");
        QTest::newRow("1") << 2412000u << 1;
        QTest::newRow("6") << 2437000u << 6;
        QTest::newRow("13") << 2472000u << 13;
        QTest::newRow("14 is not on the 5 MHz grid") << 2484000u << 14;
        QTest::newRow("kHz rounding down") << 2437999u << 6;
    }
    void channel() {
        QFETCH(uint, kHz);
        QFETCH(int, channel);
        WLSurveyRecord r{};
        r.frequencyKHz = kHz;
        QCOMPARE(SurveyRecord(r).channel(), channel);
    }

    void ssid_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("length");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sent");
        QTest::newRow("plain") << QByteArray("TolvaNet") << 8u << "TolvaNet" << 8;
        QTest::newRow("length shorter") << QByteArray("TolvaNet") << 5u << "Tolva" << 5;
        QTest::newRow("empty") << QByteArray() << 0u << "" << 0;
        QTest::newRow("embedded zero") << QByteArray("ab\0cd", 5) << 5u << "ab" << 5;
        QTest::newRow("length above 32") << QByteArray(32, 'x') << 200u << QString(32, u'x') << 32;
        QTest::newRow("huge length")
            << QByteArray(32, 'y') << 0xFFFFFFFFu << QString(32, u'y') << 32;
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << 5u << QString::fromUtf8("caf\u00e9")
                               << 5;
        QTest::newRow("no UTF-8") << QByteArray("caf\xe9") << 4u << "caf\\xE9" << 4;
    }
    void ssid() {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, length);
        QFETCH(QString, text);
        QFETCH(int, sent);
        const SurveyRecord r(recordWith(bytes, length));
        QCOMPARE(r.ssidText(), text);
        QCOMPARE(r.ssidBytes().size(), sent);
    }

    void bssidModeAndCount() {
        WLSurveyRecord raw{};
        const std::uint8_t mac[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
        std::memcpy(raw.bssid, mac, 6);
        raw.infrastructureMode = 7;
        const SurveyRecord r(raw);
        QCOMPARE(r.bssidText(), QStringLiteral("00 0A 1B 2C 3D 4E"));
        QCOMPARE(r.infrastructureMode(), 2);
        QCOMPARE(r.networkType(), NetworkType::Infrastructure);
        raw.infrastructureMode = 0;
        QCOMPARE(SurveyRecord(raw).networkType(), NetworkType::AdHoc);

        WLSurveyBuffer buffer{};
        buffer.count = 21;
        QCOMPARE(SurveyRecord::count(buffer), 20);
        buffer.count = 0xFFFFFFFFu;
        QCOMPARE(SurveyRecord::count(buffer), 0);
        buffer.count = 0x80000000u;
        QCOMPARE(SurveyRecord::count(buffer), 0);
        buffer.count = 3;
        QCOMPARE(SurveyRecord::count(buffer), 3);
    }

    void accessPointTexts() {
        QCOMPARE(AccessPointTexts::channelText(0), QStringLiteral("---"));
        QCOMPARE(AccessPointTexts::channelText(15), QStringLiteral("---"));
        QCOMPARE(AccessPointTexts::channelText(-1), QStringLiteral("---"));
        QCOMPARE(AccessPointTexts::channelText(14), QStringLiteral("14"));
        QCOMPARE(AccessPointTexts::wepText(1, -1), QStringLiteral("Enable (64-bit)"));
        QCOMPARE(AccessPointTexts::wepText(1, 1), QStringLiteral("Enable (128-bit)"));
        QCOMPARE(AccessPointTexts::wepText(-1, 1), QStringLiteral("Disable"));
        QCOMPARE(AccessPointTexts::wepText(0, 1), QStringLiteral("Disable"));
        QCOMPARE(AccessPointTexts::powerText(-1), QStringLiteral("Level 0"));
        QCOMPARE(AccessPointTexts::powerText(3), QStringLiteral("Level 3"));
    }

    void stationRowsInSlotOrder() {
        std::uint8_t list[WL_STATION_LIST_BYTES] = {};
        const std::uint8_t a[7] = {1, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
        const std::uint8_t b[7] = {9, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
        std::memcpy(list + 5 * 7, b, 7);
        std::memcpy(list, a, 7);
        list[31 * 7 + 1] = 0x12; // in-use byte 0: ignored
        QCOMPARE(AccessPointTexts::stationRows(list),
                 QStringList({"00 11 22 33 44 55", "AA BB CC DD EE FF"}));
    }
};

QTEST_GUILESS_MAIN(TestSurveyRecord)
#include "test_surveyrecord.moc"
