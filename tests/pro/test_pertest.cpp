// The PER test without its window: the figures from two tally records, a whole run
// against the simulated transmitter, and the options kept between runs.
#include <QTest>

#include "kx02app/kxsim.h"
#include "pro/PerOptions.h"
#include "pro/PerTestRun.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

namespace {

TallyRecord record(std::initializer_list<std::pair<int, std::uint64_t>> counters) {
    TallyRecord r;
    for (const auto& [index, value] : counters) {
        for (int b = 0; b < 8; ++b)
            r.bytes[static_cast<std::size_t>(8 * index + b)] =
                static_cast<std::uint8_t>(value >> (8 * b));
    }
    return r;
}

struct Run {
    QStringList icons;
    QString lastReceived;
    std::optional<PerFigures> figures;
    int ticks = 0;
};

// Ticks every 125 ms of simulated time until the run finishes or `limit` ticks pass.
Run tickUntilDone(PerTestRun& run, SimRecord& adapter, std::uint32_t& nowMs, int limit) {
    Run r;
    while (!r.figures && r.ticks < limit) {
        kxsim_advance(PerTestRun::kTickMs);
        nowMs += PerTestRun::kTickMs;
        ++r.ticks;
        const PerTestRun::Tick t = run.tick(TallyRecord::read(adapter.get()), nowMs);
        if (t.icon >= 0)
            r.icons << QString::number(t.icon);
        r.lastReceived = t.received.value_or(r.lastReceived);
        r.figures = t.finished;
    }
    return r;
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
    QTest::addColumn<QStringList>("shown"); // received, lost, time, rate, throughput

    const TallyRecord zero;
    QTest::newRow("one in a hundred lost")
        << zero << record({{10, 2970}, {11, 5}, {13, 2970 * 1028}}) << 1 << 3000 << 1000u << 5950u
        << QStringList{"2970", "30", "4.95", "1.00%", "4.800 Mb/Sec"};
    QTest::newRow("both types add up")
        << zero << record({{10, 2000}, {11, 970}, {13, 2000 * 1028}, {14, 970 * 128}}) << 3 << 3000
        << 0u << 1000u << QStringList{"2970", "30", "1.00", "1.00%", "16.776 Mb/Sec"};
    QTest::newRow("more than expected")
        << zero << record({{10, 3001}}) << 1 << 3000 << 0u << 0u
        << QStringList{"3001", "-1", "0.00", "!!Wrong!!", "0.000 Mb/Sec"};
    QTest::newRow("nothing expected, nothing came")
        << zero << zero << 3 << 0 << 0u << 0u
        << QStringList{"0", "0", "0.00", "---", "0.000 Mb/Sec"};
    QTest::newRow("counter passed 2^64, tick passed 2^32")
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
    const PerFigures f = PerCalculator::figures(base, newest, type, expected, first, last);
    QCOMPARE((QStringList{f.received, f.lost, f.time, f.errorRate, f.throughput}), shown);
}

void TestPerTest::runAgainstTheTransmitter() {
    TestEnv env;
    SimRecord adapter;
    QCOMPARE(SetWL_SensitivityTest(adapter.get(), 1), 0);
    std::uint32_t nowMs = 0xFFFFF000u; // the tick count wraps during the test
    PerTestRun run;
    run.start(*TallyRecord::read(adapter.get()), 3000, PerTestRun::packetType(true, false), 2);
    QCOMPARE(SetWL_FirmwareRecvPort(adapter.get(), 8310), 0);
    Run r = tickUntilDone(run, adapter, nowMs, 200);
    QVERIFY(r.figures);
    // First frame at 300 ms, seen at the third tick; the last at 5.3 s, seen at 5.375 s;
    // then two seconds of silence.
    QCOMPARE(r.ticks, 43 + 16);
    QCOMPARE((QStringList{r.figures->received, r.figures->lost, r.figures->time,
                          r.figures->errorRate, r.figures->throughput}),
             (QStringList{"2970", "30", "5.00", "1.00%", "4.752 Mb/Sec"}));
    QCOMPARE(r.icons.mid(0, 10),
             (QStringList{"180", "181", "182", "183", "184", "185", "186", "187", "180", "181"}));
    QVERIFY(!run.running());

    // A second test on a port nobody sends to sees nothing until STOP, and reports no
    // time and no throughput of its own, whatever the first one measured.
    run.start(*TallyRecord::read(adapter.get()), 3000, PerTestRun::packetType(false, false), 1);
    QCOMPARE(SetWL_FirmwareRecvPort(adapter.get(), 1234), 0);
    r = tickUntilDone(run, adapter, nowMs, 80);
    QVERIFY(!r.figures);
    QVERIFY(r.icons.isEmpty());
    QCOMPARE(r.lastReceived, "0");
    const PerFigures stopped = run.stop(*TallyRecord::read(adapter.get()));
    QCOMPARE((QStringList{stopped.received, stopped.lost, stopped.time, stopped.errorRate,
                          stopped.throughput}),
             (QStringList{"0", "3000", "0.00", "100.00%", "0.000 Mb/Sec"}));
}

void TestPerTest::optionsPersist() {
    TestEnv env;
    PerOptions o = PerOptions::load();
    QCOMPARE(o.expectedText, "3000");
    QVERIFY(o.unicast() && o.multicast() && !o.checkPort);
    QCOMPARE(o.portText, "8310");
    o = {"150", 2, true, "9000"};
    o.store();
    const PerOptions again = PerOptions::load();
    QCOMPARE(again.expectedText, "150");
    QVERIFY(!again.unicast() && again.multicast() && again.checkPort);
    QCOMPARE(again.portText, "9000");

    // A stored 4 has neither type bit: both boxes clear, and START counts both.
    PerOptions{"1", 4, false, ""}.store();
    const PerOptions odd = PerOptions::load();
    QVERIFY(!odd.unicast() && !odd.multicast());
    QCOMPARE(PerTestRun::packetType(odd.unicast(), odd.multicast()), int(PerBoth));
    PerOptions{"1", 0, false, ""}.store();
    QCOMPARE(PerOptions::load().packetType, 3);

    QCOMPARE(PerOptions::decimalField("  42 frames"), 42);
    QCOMPARE(PerOptions::decimalField("-7"), -7);
    QCOMPARE(PerOptions::decimalField("many"), 0);
    QCOMPARE(PerOptions::decimalField("99999999999999999999"), 2147483647);
    QCOMPARE(PerOptions::decimalField(QString(39, u' ') + "12"), 1); // 40 characters read
}

QTEST_GUILESS_MAIN(TestPerTest)
#include "test_pertest.moc"
