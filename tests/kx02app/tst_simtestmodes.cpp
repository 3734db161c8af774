// The simulated adapters under test: the packet-error-rate transmitter heard in
// sensitivity-test mode, the counters that move with traffic, the old debug reply.
#include <QTest>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

// Tally counters 10 (Rx unicast frames), 13 (its octets), 15 (CRC-32 errors).
struct Received {
    std::int64_t frames, octets, crcErrors;
};
Received received() {
    return {simInt(nullptr, "tally10"), simInt(nullptr, "tally13"), simInt(nullptr, "tally15")};
}

} // namespace

class TestSimTestModes : public QObject {
    Q_OBJECT

private slots:
    void transmitterBurstInSensitivityMode();
    void receivePortFiltersAndModeEnds();
    void scenarioShapesTheTransmitter();
    void debugTallyMovesAndResets();
    void oldDebugReplyStaysInItsBuffer();
};

void TestSimTestModes::transmitterBurstInSensitivityMode() {
    TestEnv env;
    SimRecord r;
    kxsim_advance(5000); // linked: the link's own traffic counts until the mode is on
    QVERIFY(simInt(nullptr, "tally10") > 0);
    QCOMPARE(SetWL_ResetTallyData(r.get()), 0);
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    kxsim_advance(2000);
    QCOMPARE(received().frames, 0);
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 8310), 0);
    kxsim_advance(299);
    QCOMPARE(received().frames, 0);
    kxsim_advance(1);
    QCOMPARE(received().frames, 1);
    kxsim_advance(1000); // 600 frames a second, one in a hundred lost
    QCOMPARE(received().frames, 595);
    QCOMPARE(received().crcErrors, 6);
    kxsim_advance(60000);
    const Received all = received();
    QCOMPARE(all.frames, 2970);
    QCOMPARE(all.crcErrors, 30);
    QCOMPARE(all.octets, 2970 * 1028);
    QCOMPARE(simInt(nullptr, "tally17"), 3000); // Rx total

    // Another START, another burst.
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 0), 0);
    kxsim_advance(10000);
    QCOMPARE(received().frames, 2 * 2970);
}

void TestSimTestModes::receivePortFiltersAndModeEnds() {
    TestEnv env;
    SimRecord r;
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 8310), 0); // not in the mode: no burst
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    kxsim_advance(10000);
    QCOMPARE(received().frames, 0);

    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 1234), 0);
    kxsim_advance(10000);
    QCOMPARE(received().frames, 0);

    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 8310), 0);
    kxsim_advance(1300);
    QCOMPARE(SetWL_SensitivityTest(r.get(), 0), 0);
    const std::int64_t heard = received().frames;
    QCOMPARE(heard, 595);
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    kxsim_advance(10000);
    QCOMPARE(received().frames, heard);
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 0x10000), -1);
}

void TestSimTestModes::scenarioShapesTheTransmitter() {
    TestEnv env;
    QCOMPARE(kxsim_load_scenario(R"({"per_source": {"frames": 500, "frames_per_second": 100,
        "port": 9000, "start_after_ms": 0, "frame_bytes": 128}})"),
             0);
    SimRecord r;
    QCOMPARE(SetWL_SensitivityTest(r.get(), 1), 0);
    QCOMPARE(SetWL_FirmwareRecvPort(r.get(), 9000), 0);
    kxsim_advance(5000);
    const Received all = received();
    QCOMPARE(all.frames, 495);
    QCOMPARE(all.octets, 495 * 128);

    QCOMPARE(kxsim_load_scenario(R"({"per_source": null})"), 0);
    SimRecord silent;
    QCOMPARE(SetWL_SensitivityTest(silent.get(), 1), 0);
    QCOMPARE(SetWL_FirmwareRecvPort(silent.get(), 0), 0);
    kxsim_advance(10000);
    QCOMPARE(received().frames, 0);
}

void TestSimTestModes::debugTallyMovesAndResets() {
    TestEnv env;
    SimRecord r;
    const auto debugCounter = [&r](int index) {
        std::uint8_t tally[WL_TALLY_BYTES] = {};
        if (ReadOid(r.get(), WL_OID_DEBUG_TALLY, tally, sizeof tally) != 0)
            return std::uint64_t{0xDEAD};
        std::uint64_t value = 0;
        std::memcpy(&value, tally + 8 * index, sizeof value);
        return value;
    };
    kxsim_advance(11500);
    QVERIFY(debugCounter(0) > 300); // TotalRxFrm: 30 good frames a second and the bad ones
    QCOMPARE(debugCounter(0), std::uint64_t(simInt(nullptr, "tally17")));
    QCOMPARE(debugCounter(12), 120u); // TotalTxFrm: 12 frames a second
    QCOMPARE(SetWL_ResetTallyData(r.get()), 0);
    QCOMPARE(debugCounter(0), 0u);
    QCOMPARE(debugCounter(12), 0u);
}

void TestSimTestModes::oldDebugReplyStaysInItsBuffer() {
    TestEnv env;
    SimRecord r;
    // A reply that claims more words than fit: the data stops at the buffer's end.
    QCOMPARE(kxsim_set_int(nullptr, "old_debug_words", 0xFFFFFFFF), 0);
    std::vector<std::uint32_t> request(1040 / 4 + 4, 0xA5A5A5A5u);
    request[0] = 0x9000;
    request[1] = 0x77;
    QCOMPARE(WriteOid(r.get(), WL_OID_OLD_DEBUG, request.data(), 1040), 0);
    QCOMPARE(request[2], 0xFFFFFFFFu);
    QCOMPARE(request[3], 0x77u);
    QCOMPARE(request[1040 / 4], 0xA5A5A5A5u);
}

QTEST_GUILESS_MAIN(TestSimTestModes)
#include "tst_simtestmodes.moc"
