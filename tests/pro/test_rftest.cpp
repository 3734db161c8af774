// The RF test against the simulated adapters: what the transmitter really sends after
// each step, and the register and command sequences that get it there.
#include <QTest>

#include "adapter/AdapterState.h"
#include "kx02app/kxsim.h"
#include "pro/rftest/RfTest.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/pro/RadioProbe.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

enum Line { PciLine = 0, CardLine = 1 };

} // namespace

class TestRfTest final : public QObject {
    Q_OBJECT

private slots:
    void startingWithoutPatternStartsNothing();
    void rateChangeRestartsTheTransmission();
    void scramblerStaysOffAfterCarrierSuppression();
    void gainStepsStopAtTheirEnds();
    void newerChipUsesTestCommands();
    void antennasAndPowerControl();
};

void TestRfTest::startingWithoutPatternStartsNothing() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    SetWL_WritePHYRegister(t.ctx.adapter.record(), 11, 0x07);
    RfTest rf(t.ctx.adapter.record(), false, false);
    rf.startStop();
    QCOMPARE(phy(t.ctx, 11), 0x03); // manual line control off
    QCOMPARE(phy(t.ctx, 5), 3);     // 11 Mbit/s without a rate list
    QCOMPARE(card("tx_continuous"), 0);
    QCOMPARE(rf.view().startText(), QStringLiteral("START"));
    QCOMPARE(rf.view().paPe, QStringLiteral("PA_PE(1)"));
    QCOMPARE(rf.view().trSw, QStringLiteral("TR_SW(1)"));
}

void TestRfTest::rateChangeRestartsTheTransmission() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    RfTest rf(t.ctx.adapter.record(), false, true);
    const RfTest::Opening opening = rf.open();
    QCOMPARE(opening.rateIndex, 3);
    rf.choosePattern(RfTest::Cw);
    rf.startStop();
    QCOMPARE(rf.view().startText(), QStringLiteral("STOP"));
    QCOMPARE(card("emit_pattern"), 1);
    QCOMPARE(card("emit_rate"), 3);
    clearSimTrace();
    rf.chooseRate(1);
    QCOMPARE(simCalls({QStringLiteral("SetWL_WritePHY"), QStringLiteral("SetWL_Tx")}),
             QStringList({"SetWL_WritePHYRegister(9,4)", "SetWL_TxContinuous(0)",
                          "SetWL_WritePHYRegister(11,0)", "SetWL_WritePHYRegister(5,1)",
                          "SetWL_TxRateControl(2)", "SetWL_WritePHYRegister(11,0)",
                          "SetWL_WritePHYRegister(11,0)", "SetWL_WritePHYRegister(9,28)",
                          "SetWL_TxContinuous(1)"}));
    QCOMPARE(card("emit_rate"), 1);
    QCOMPARE(card("emit_pattern"), 1);
    QVERIFY(rf.view().running);
    // A faster rate than the chip's own: 11 Mbit/s, all four rates allowed.
    rf.chooseRate(6);
    QCOMPARE(phy(t.ctx, 5), 3);
    QCOMPARE(card("tx_rate"), 0x0F);
    rf.startStop();
    QCOMPARE(card("tx_continuous"), 0);
    QCOMPARE(phy(t.ctx, 9) & 0x18, 0);
    QVERIFY(!rf.view().paSpinEnabled);
}

void TestRfTest::scramblerStaysOffAfterCarrierSuppression() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    RfTest rf(t.ctx.adapter.record(), false, false);
    rf.open();
    rf.choosePattern(RfTest::CarrierSuppression);
    rf.startStop();
    QCOMPARE(card("emit_pattern"), 2);
    QCOMPARE(phy(t.ctx, 9) & 0x18, 0x08);
    QCOMPARE(card("scrambler"), 0);
    rf.startStop();
    rf.choosePattern(RfTest::Normal);
    rf.startStop();
    QCOMPARE(card("emit_pattern"), 0);
    QCOMPARE(card("scrambler"), 0);
    QCOMPARE(phy(t.ctx, 32) & 0x04, 0);
    // Choosing another pattern while running restarts with it.
    rf.choosePattern(RfTest::Cw);
    QCOMPARE(card("emit_pattern"), 1);
    QCOMPARE(rf.setScrambler(true), RfTest::Answer::Done);
    QCOMPARE(card("scrambler"), 1);
}

void TestRfTest::gainStepsStopAtTheirEnds() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    kxsim_set_int("0008", "pa_gain", 0);
    RfTest rf(t.ctx.adapter.record(), false, false);
    rf.open();
    QCOMPARE(rf.view().paGain, QStringLiteral("0"));
    rf.stepPaGain(-1);
    QCOMPARE(card("pa_gain"), 0);
    rf.choosePattern(RfTest::Normal);
    rf.startStop();
    const QString quiet = rf.view().power;
    for (int i = 0; i < 17; ++i)
        rf.stepPaGain(1);
    QCOMPARE(rf.view().paGain, QStringLiteral("F"));
    QCOMPARE(card("pa_gain"), 15);
    QCOMPARE(card("philips_gain"), 5); // the other gain is written back as it was
    rf.query();
    QVERIFY(rf.view().power != quiet); // the measurement follows the gain
    QCOMPARE(rf.stepPhilipsGain(20), RfTest::Answer::Done);
    QCOMPARE(rf.view().philipsGain, QStringLiteral("F"));
    // A read-back that fails sets no gain from it.
    kxsim_force("QueryWL_ReadMACRegister", -1);
    clearSimTrace();
    rf.stepPaGain(-1);
    QCOMPARE(simCalls({QStringLiteral("SetWL_WriteMACRegister")}),
             QStringList({"SetWL_WriteMACRegister(6291524,7)"}));
    QCOMPARE(rf.view().paGain, QStringLiteral(" "));
}

void TestRfTest::newerChipUsesTestCommands() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, PciLine), 0);
    RfTest rf(t.ctx.adapter.record(), true, true);
    rf.open();
    QCOMPARE(simInt("0007", "test_rate"), 3);
    clearSimTrace();
    rf.startStop(); // no pattern: the firmware is told so and sends nothing
    QCOMPARE(simTrace().at(0).args.at(1).toString(),
             QStringLiteral("4000 0100 ffff 0000").remove(u' '));
    QCOMPARE(simInt("0007", "tx_continuous"), 0);
    QVERIFY(!rf.view().running);
    QCOMPARE(rf.view().startText(), QStringLiteral("START"));
    rf.choosePattern(RfTest::Cw);
    rf.startStop();
    QCOMPARE(simInt("0007", "emit_pattern"), 1);
    rf.chooseRate(5);
    QCOMPARE(simInt("0007", "emit_rate"), 5);
    QCOMPARE(simInt("0007", "tx_continuous"), 1); // the firmware changes the rate itself
    kxsim_set_int("0007", "pa_gain", 14);
    rf.stepPaGain(1);
    rf.stepPaGain(1);
    QCOMPARE(rf.view().paGain, QStringLiteral("0F"));
    QCOMPARE(rf.view().power, QStringLiteral("6C"));
    QCOMPARE(rf.setScrambler(false), RfTest::Answer::NotSupported);
    QCOMPARE(rf.setSpreading(true), RfTest::Answer::NotSupported);
    QCOMPARE(rf.stepPhilipsGain(1), RfTest::Answer::NotSupported);
    QCOMPARE(RfTest::notSupported(), QStringLiteral("not supperted yet"));
    rf.doze();
    QCOMPARE(simInt("0007", "dozing"), 1);
    rf.query();
    QCOMPARE(rf.view().power, QStringLiteral("00")); // a dozing adapter sends nothing
}

void TestRfTest::antennasAndPowerControl() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    RfTest rf(t.ctx.adapter.record(), false, false);
    // The antenna in use is what the driver reads at its next start; a refusal is not.
    QVERIFY(t.ctx.settings.setFirmwareAntenna(AntennaUse::Receive, 2).ok());
    QCOMPARE(t.adapterValue("AntennaSelect"), QStringLiteral("2"));
    QCOMPARE(rf.antennas(), (std::array<int, 2>{0, 1}));
    kxsim_force("SetWL_FirmwareAntennaDiversity", -1);
    QVERIFY(t.ctx.settings.setFirmwareAntenna(AntennaUse::Transmit, 1).driverRefused());
    QCOMPARE(t.adapterValue("AntennaSelect"), QStringLiteral("2"));
    kxsim_force("QueryWL_FirmwareAntennaDiversity", 0);
    QCOMPARE(rf.antennas(), (std::array<int, 2>{0, 0}));
    kxsim_force("QueryWL_FirmwareAntennaDiversity", -1);
    QCOMPARE(rf.antennas(), (std::array<int, 2>{-1, -1}));

    // With power control on, the firmware holds the EEPROM set point whatever the gain.
    QVERIFY(rf.setPowerControl(true));
    QCOMPARE(card("power_control") & 0x100, 0x100);
    rf.choosePattern(RfTest::Normal);
    rf.startStop();
    QCOMPARE(rf.view().power, QStringLiteral("2B"));
    QVERIFY(rf.setPowerControl(false));
    QCOMPARE(card("power_control"), 0x0003);
    kxsim_force("ReadOid", -1);
    QVERIFY(!rf.setPowerControl(true));
    QCOMPARE(card("power_control"), 0x0003);
}

QTEST_GUILESS_MAIN(TestRfTest)
#include "test_rftest.moc"
