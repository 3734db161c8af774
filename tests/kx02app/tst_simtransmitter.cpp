// The simulated packet-error-rate transmitter, heard in sensitivity-test mode (the
// built-in one is met by the PER test's own tests).
#include <QTest>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {
// Tally counters 10 (Rx unicast frames), 13 (its octets) and 15 (CRC-32 errors).
QList<qint64> received() {
    return {simInt(nullptr, "tally10"), simInt(nullptr, "tally13"), simInt(nullptr, "tally15")};
}
} // namespace

class TestSimTransmitter : public QObject {
    Q_OBJECT

private slots:
    void portModeAndScenario();
};

void TestSimTransmitter::portModeAndScenario() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(R"({"per_source": {"frames": 500, "port": 9000,
        "start_after_ms": 0, "frame_bytes": 128}})"),
             0);
    SimRecord r;
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 9000), 0); // not in the mode: no burst
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    kxsim_advance(10000);
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 8310), 0); // nobody sends there
    kxsim_advance(10000);
    QCOMPARE(received()[0], 0);
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 9000), 0);
    kxsim_advance(500);                             // 600 frames a second, one in a hundred damaged
    QCOMPARE(SetWL_SensitivityTest(r.get(), 0), 0); // leaving the mode ends the burst
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    kxsim_advance(10000);
    QCOMPARE(received(), (QList<qint64>{298, 298 * 128, 3}));

    QCOMPARE(kxsim_load_scenario(R"({"per_source": null})"), 0);
    SimRecord silent;
    QCOMPARE(SetWL_SensitivityTest(silent.get(), 1), 0);
    QCOMPARE(SetWL_FirmwareRecvPort(silent.get(), 0), 0);
    kxsim_advance(10000);
    QCOMPARE(received()[0], 0);
}

QTEST_GUILESS_MAIN(TestSimTransmitter)
#include "tst_simtransmitter.moc"
