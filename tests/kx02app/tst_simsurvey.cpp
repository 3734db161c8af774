// Site survey records of the simulated adapters, byte by byte.
#include <QTest>

#include <cstring>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

std::uint32_t word(const std::vector<std::uint8_t>& b, std::size_t offset) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

constexpr std::size_t kRecord = 104;
constexpr std::uint8_t kGuard = 0xCD;

} // namespace

class TestSimSurvey : public QObject {
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void channel14Frequency();
    void maxRecordsBoundsTheWrite_data();
    void maxRecordsBoundsTheWrite();
    void rawSurveyIsCopiedWithinRoom();
    void forcedFailureLeavesBuffer();
};

void TestSimSurvey::records_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QByteArray>("bssid");
    QTest::addColumn<int>("privacy");
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("kHz");
    QTest::addColumn<int>("mode");
    QTest::newRow("open") << 0 << QByteArray("TolvaNet") << QByteArray("000a1b2c3d4e") << 0 << 82
                          << 2437000 << 1;
    QTest::newRow("64-bit WEP") << 1 << QByteArray("HomeWEP64") << QByteArray("000a1b2c3d51") << 1
                                << 64 << 2412000 << 1;
    QTest::newRow("128-bit WEP") << 2 << QByteArray("Office128") << QByteArray("000a1b2c3d52") << 1
                                 << 55 << 2462000 << 1;
    QTest::newRow("ad hoc") << 3 << QByteArray("PlayRoom") << QByteArray("021122334455") << 0 << 40
                            << 2422000 << 0;
    // The card's mask stops at channel 11, yet it hears channel 13.
    QTest::newRow("weak, channel 13")
        << 4 << QByteArray("FarAway") << QByteArray("000a1b2c3d54") << 0 << 12 << 2472000 << 1;
    QTest::newRow("hidden") << 5 << QByteArray() << QByteArray("000a1b2c3d53") << 0 << 47 << 2452000
                            << 1;
}

void TestSimSurvey::records() {
    QFETCH(int, index);
    QFETCH(QByteArray, ssid);
    QFETCH(QByteArray, bssid);
    QFETCH(int, privacy);
    QFETCH(int, signal);
    QFETCH(int, kHz);
    QFETCH(int, mode);
    TestEnv env;
    SimRecord r(kCardName);
    std::vector<std::uint8_t> buffer(sizeof(WLSurveyBuffer), 0xAA);
    QCOMPARE(WL_SiteSurveyStart(r.get()), 0);
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), buffer.data(), 20), 6);
    QCOMPARE(word(buffer, 0), 6u);
    const std::size_t at = 4 + kRecord * static_cast<std::size_t>(index);
    const auto field = [&](std::size_t offset) { return word(buffer, at + offset); };
    QCOMPARE(field(0), 104u);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&buffer[at + 4]), 6).toHex(), bssid);
    QCOMPARE(buffer[at + 10], 0);
    QCOMPARE(buffer[at + 11], 0);
    QCOMPARE(field(12), static_cast<std::uint32_t>(ssid.size()));
    QByteArray ssidField(reinterpret_cast<const char*>(&buffer[at + 16]), 32);
    QCOMPARE(ssidField, ssid + QByteArray(32 - ssid.size(), '\0'));
    QCOMPARE(field(48), static_cast<std::uint32_t>(privacy));
    QVERIFY(qAbs(static_cast<int>(field(52)) - signal) <= 2);
    QCOMPARE(field(60), 32u);
    QCOMPARE(field(72), static_cast<std::uint32_t>(kHz));
    QCOMPARE(field(92), static_cast<std::uint32_t>(mode));
    // Nothing after the last record was touched.
    QCOMPARE(buffer[4 + kRecord * 6], 0xAA);
}

void TestSimSurvey::channel14Frequency() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(
                 R"({"networks": [{"ssid": "Japan", "bssid": "00:00:00:00:00:14", "channel": 14,
                     "mode": 2}]})"),
             0);
    SimRecord r;
    WLSurveyBuffer survey{};
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), &survey, 20), 1);
    QCOMPARE(survey.records[0].frequencyKHz, 2484000u);
    QCOMPARE(survey.records[0].infrastructureMode, 2u);
}

void TestSimSurvey::maxRecordsBoundsTheWrite_data() {
    QTest::addColumn<int>("maxRecords");
    QTest::addColumn<int>("expected");
    QTest::newRow("two") << 2 << 2;
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("negative") << -1 << -1;
}

void TestSimSurvey::maxRecordsBoundsTheWrite() {
    QFETCH(int, maxRecords);
    QFETCH(int, expected);
    TestEnv env;
    SimRecord r;
    const std::size_t room = 4 + kRecord * static_cast<std::size_t>(std::max(maxRecords, 0));
    std::vector<std::uint8_t> buffer(room + 64, kGuard);
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), buffer.data(), maxRecords), expected);
    QVERIFY(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(room), buffer.end(),
                        [](std::uint8_t b) { return b == kGuard; }));
    if (expected >= 0)
        QCOMPARE(word(buffer, 0), static_cast<std::uint32_t>(expected));
}

void TestSimSurvey::rawSurveyIsCopiedWithinRoom() {
    TestEnv env;
    SimRecord r;
    std::vector<std::uint8_t> raw(3000, 0x11);
    const std::uint32_t count = 25;
    std::memcpy(raw.data(), &count, 4);
    kxsim_set_raw_survey(raw.data(), static_cast<std::int32_t>(raw.size()));
    std::vector<std::uint8_t> buffer(4 + kRecord + 16, kGuard);
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), buffer.data(), 1), 25);
    QCOMPARE(buffer[4 + kRecord - 1], 0x11);
    QCOMPARE(buffer[4 + kRecord], kGuard);

    kxsim_set_raw_survey(nullptr, 0);
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), buffer.data(), 1), 1);
}

void TestSimSurvey::forcedFailureLeavesBuffer() {
    TestEnv env;
    SimRecord r;
    kxsim_force("WL_RetrieveSiteSurveyData", -1);
    std::vector<std::uint8_t> buffer(sizeof(WLSurveyBuffer), kGuard);
    QCOMPARE(WL_RetrieveSiteSurveyData(r.get(), buffer.data(), 20), -1);
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == kGuard; }));
}

QTEST_GUILESS_MAIN(TestSimSurvey)
#include "tst_simsurvey.moc"
