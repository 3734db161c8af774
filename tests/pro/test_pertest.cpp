// The PER test without its window: figures from two tally records, a whole run against
// the simulated transmitter, the options kept between runs.
#include <QTest>

#include "kx02app/kxsim.h"
#include "pro/per/PerOptions.h"
#include "pro/per/PerTestRun.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

namespace {

TallyRecord record(std::initializer_list<std::pair<int, std::uint64_t>> counters) {
    TallyRecord r;
    for (const auto& [index, value] : counters)
        for (int b = 0; b < 8; ++b)
            r.bytes[static_cast<std::size_t>(8 * index + b)] = std::uint8_t(value >> (8 * b));
    return r;
}

QStringList shown(const PerFigures& f) {
    return {f.received, f.lost, f.time, f.errorRate, f.throughput};
}

} // namespace

class TestPerTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void runAgainstTheTransmitter();
    void optionsPersist();
};

void TestPerTest::figures_data() {
    QTest::addColumn<TallyRecord>("base");
    QTest::addColumn<TallyRecord>("newest");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("expected");
    QTest::addColumn<uint>("first");
    QTest::addColumn<uint>("last");
    QTest::addColumn<QStringList>("shown");
    const TallyRecord zero;
    QTest::newRow("both types add up")
        << zero << record({{10, 2000}, {11, 970}, {13, 2000 * 1028}, {14, 970 * 128}}) << 3 << 3000
        << 0u << 1000u << QStringList{"2970", "30", "1.00", "1.00%", "16.776 Mb/Sec"};
    QTest::newRow("more than expected")
        << zero << record({{10, 3001}}) << 1 << 3000 << 0u << 0u
        << QStringList{"3001", "-1", "0.00", "!!Wrong!!", "0.000 Mb/Sec"};
    QTest::newRow("nothing expected, nothing came")
        << zero << zero << 3 << 0 << 0u << 0u
        << QStringList{"0", "0", "0.00", "---", "0.000 Mb/Sec"};
    QTest::newRow("counters passed 2^64, tick passed 2^32")
        << record({{11, 0xFFFFFFFFFFFFFFF0u}, {14, 0xFFFFFFFFFFFFFC18u}})
        << record({{11, 0x10}, {14, 32 * 128 - 1000}}) << 2 << 100 << 0xFFFFFF00u << 0x100u
        << QStringList{"32", "68", "0.51", "68.00%", "0.050 Mb/Sec"};
}

void TestPerTest::figures() {
    QFETCH(TallyRecord, base);
    QFETCH(TallyRecord, newest);
    QFETCH(int, type);
    QFETCH(int, expected);
    QFETCH(uint, first);
    QFETCH(uint, last);
    QFETCH(QStringList, shown);
    QCOMPARE(::shown(PerCalculator::figures(base, newest, type, expected, first, last)), shown);
}

void TestPerTest::runAgainstTheTransmitter() {
    TestEnv env;
    SimRecord adapter;
    QCOMPARE(SetWL_SensitivityTest(adapter.get(), 1), 0);
    std::uint32_t nowMs = 0xFFFFF000u; // the tick count wraps during the test
    PerTestRun run;
    std::optional<PerFigures> figures;
    QStringList icons;
    QString received;
    const auto tickUntilDone = [&](int limit) {
        int ticks = 0;
        for (figures.reset(); !figures && ticks < limit; ++ticks) {
            kxsim_advance(PerTestRun::kTickMs);
            const PerTestRun::Tick t =
                run.tick(TallyRecord::read(adapter.get()), nowMs += PerTestRun::kTickMs);
            if (t.icon >= 0)
                icons << QString::number(t.icon);
            received = t.received.value_or(received);
            figures = t.finished;
        }
        return ticks;
    };

    run.start(*TallyRecord::read(adapter.get()), 3000, PerTestRun::packetType(true, false), 2);
    QCOMPARE(SetWL_FirmwareRecvPort(adapter.get(), 8310), 0);
    // First frame at 300 ms, seen at the third tick; the last at 5.3 s, seen at 5.375 s;
    // then two seconds of silence.
    QCOMPARE(tickUntilDone(200), 43 + 16);
    QCOMPARE(shown(*figures), (QStringList{"2970", "30", "5.00", "1.00%", "4.752 Mb/Sec"}));
    QCOMPARE(icons.mid(7, 3), (QStringList{"187", "180", "181"}));
    QVERIFY(!run.running());

    // Nobody sends to this port: nothing until STOP, and neither time nor throughput
    // carried over from the test before.
    icons.clear();
    run.start(*TallyRecord::read(adapter.get()), 3000, PerTestRun::packetType(false, false), 1);
    QCOMPARE(SetWL_FirmwareRecvPort(adapter.get(), 1234), 0);
    QCOMPARE(tickUntilDone(80), 80);
    QCOMPARE(icons, QStringList());
    QCOMPARE(received, "0");
    QCOMPARE(shown(run.stop(*TallyRecord::read(adapter.get()))),
             (QStringList{"0", "3000", "0.00", "100.00%", "0.000 Mb/Sec"}));
}

void TestPerTest::optionsPersist() {
    TestEnv env;
    PerOptions o = PerOptions::load();
    QCOMPARE((QStringList{o.expectedText, QString::number(o.packetType), o.portText}),
             (QStringList{"3000", "3", "8310"}));
    PerOptions{"150", 2, true, "9000"}.store();
    o = PerOptions::load();
    QVERIFY(!o.unicast() && o.multicast() && o.checkPort);
    QCOMPARE(o.portText, "9000");
    // A stored 4 has neither type bit: both boxes clear, and START counts both.
    PerOptions{"1", 4, false, ""}.store();
    o = PerOptions::load();
    QCOMPARE(PerTestRun::packetType(o.unicast(), o.multicast()), int(PerBoth));
    QCOMPARE(PerOptions::decimalField("  42 frames"), 42);
    QCOMPARE(PerOptions::decimalField("99999999999999999999"), 2147483647);
}

QTEST_GUILESS_MAIN(TestPerTest)
#include "test_pertest.moc"
