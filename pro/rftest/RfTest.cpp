#include "pro/rftest/RfTest.h"

#include <algorithm>
#include <optional>

#include "driver/ChipRegisters.h"
#include "driver/DriverLimits.h"

namespace kx {

namespace {

constexpr int kElevenMbps = 3;

struct Rate final {
    const char* name;
    int cr5;
    int mask;
};
// The older chip has no register value beyond 11 Mbit/s: the faster rates keep CR5 at 11
// and allow all four rates.
constexpr Rate kRateTable[RfTest::kRates] = {
    {"1M bps", 0, 1},       {"2M bps", 1, 2},     {"5.5M bps", 2, 4},     {"11M bps", 3, 8},
    {"16.5M bps", 3, 0x0F}, {"22M bps", 3, 0x0F}, {"27.5M bps", 3, 0x0F},
};

QString hex(int value, int width = 0) {
    return QString::number(value, 16).toUpper().rightJustified(width, u'0');
}

// The newer chip's 8-byte test command; the value the firmware answers, or nothing.
std::optional<std::uint16_t> testCommand(WLAdapterInfo* adapter, TestCommandCode command,
                                         std::uint16_t value = 0, std::uint16_t extra = 0,
                                         bool read = false) {
    WLTestCommand c{static_cast<std::uint16_t>(command), value, extra, 0};
    const std::int32_t ret = read ? ReadOid(adapter, WL_OID_TEST_COMMAND, &c, sizeof c)
                                  : WriteOid(adapter, WL_OID_TEST_COMMAND, &c, sizeof c);
    if (ret == -1)
        return std::nullopt;
    return c.value;
}

QString shownOr(std::optional<std::uint16_t> value, int width) {
    return value ? hex(*value, width) : QStringLiteral(" ");
}

} // namespace

QString RfTest::View::startText() const {
    return running ? QStringLiteral("STOP") : QStringLiteral("START");
}

QString RfTest::rateName(int index) {
    return index >= 0 && index < kRates ? QString::fromLatin1(kRateTable[index].name) : QString();
}

QString RfTest::notSupported() {
    return QStringLiteral("not supperted yet");
}

template <typename Change> void RfTest::changePhy(int reg, Change change) {
    std::int32_t value = 0;
    if (QueryWL_ReadPHYRegister(m_adapter, reg, &value) != 0)
        return;
    SetWL_WritePHYRegister(m_adapter, reg, change(value));
}

RfTest::Opening RfTest::open() {
    Opening opening;
    m_view.running = false;
    const std::int32_t channel = QueryWL_Channel(m_adapter);
    if (channel >= 1 && channel <= kChannels)
        opening.channelIndex = channel - 1;
    if (m_changeRate) {
        opening.rateIndex = kElevenMbps;
        chooseRate(kElevenMbps);
    }
    refreshGain(0);
    m_view.paSpinEnabled = m_view.philipsSpinEnabled = true;
    setManual(false);
    // A failed query answers a negative number, which is no power control.
    opening.powerControl = QueryWL_ContiTxPowerControlStatus(m_adapter) > 0;
    std::uint8_t setPoint[WL_TX_POWER_SET_POINT_BYTES] = {};
    QueryWL_TxPowerSetPoint(m_adapter, setPoint);
    QueryWL_Channel(m_adapter);
    return opening;
}

void RfTest::startStop() {
    if (m_newer) {
        const bool starting = !m_view.running;
        // The button says what the firmware does: a start it refuses (no pattern chosen)
        // leaves nothing running.
        if (testCommand(m_adapter, TestCommandCode::ContinuousTx, starting ? 1 : 0,
                        m_view.pattern == NoPattern ? kNoTestPattern
                                                    : static_cast<std::uint16_t>(m_view.pattern))) {
            m_view.running = starting;
            m_view.paSpinEnabled = starting;
        }
        query();
        return;
    }
    if (m_view.running)
        stop();
    else
        start();
}

void RfTest::start() {
    changePhy(LineRegister, [](int v) { return v & ~ManualLines; });
    setManual(false);
    if (!m_changeRate)
        SetWL_WritePHYRegister(m_adapter, RateRegister, kRateTable[kElevenMbps].cr5);
    switch (m_view.pattern) {
    case Normal:
        changePhy(Cr32Register, [](int v) { return v & ~kCr32Bit2; });
        changePhy(PatternRegister, [](int v) { return v & ~PatternBit3; });
        break;
    case Cw:
        changePhy(PatternRegister, [](int v) { return v | PatternBit3 | PatternBit4; });
        break;
    case CarrierSuppression:
        // The scrambler stays off afterwards until it is enabled again.
        if (SetWL_CRScrambler(m_adapter, 0) != -1)
            m_view.scrambler = Disabled;
        changePhy(PatternRegister, [](int v) { return (v | PatternBit3) & ~PatternBit4; });
        break;
    default:
        return; // no pattern chosen: nothing starts
    }
    SetWL_TxContinuous(m_adapter, 1);
    m_view.running = true;
    m_view.paSpinEnabled = m_view.philipsSpinEnabled = true;
    query();
}

void RfTest::stop() {
    changePhy(PatternRegister, [](int v) { return v & ~(PatternBit3 | PatternBit4); });
    SetWL_TxContinuous(m_adapter, 0);
    setManual(m_view.manual);
    m_view.paSpinEnabled = m_view.philipsSpinEnabled = false;
    m_view.running = false;
    query();
}

void RfTest::choosePattern(int pattern) {
    m_view.pattern =
        std::clamp(pattern, static_cast<int>(NoPattern), static_cast<int>(CarrierSuppression));
    if (!m_view.running)
        return;
    startStop();
    startStop();
}

void RfTest::chooseRate(int index) {
    if (index < 0 || index >= kRates)
        return;
    if (m_newer) {
        testCommand(m_adapter, TestCommandCode::TestRate, static_cast<std::uint16_t>(index));
    } else {
        const bool wasRunning = m_view.running;
        if (wasRunning)
            stop();
        SetWL_WritePHYRegister(m_adapter, RateRegister, kRateTable[index].cr5);
        SetWL_TxRateControl(m_adapter, kRateTable[index].mask);
        if (wasRunning)
            start();
    }
    query();
}

void RfTest::tune(int channelIndex) {
    if (channelIndex < 0 || channelIndex >= kChannels)
        return;
    const int channel = channelIndex + 1;
    SetWL_FirmwareTestCommand(m_adapter, kTuneChannelCommand, channel, 0);
    SetWL_Channel(m_adapter, channel);
    std::uint8_t setPoint[WL_TX_POWER_SET_POINT_BYTES] = {};
    QueryWL_TxPowerSetPoint(m_adapter, setPoint);
    query();
}

void RfTest::query() {
    if (m_newer) {
        m_view.power = shownOr(testCommand(m_adapter, TestCommandCode::TxPowerRead, 0, 0, true), 2);
        m_view.paGain = shownOr(testCommand(m_adapter, TestCommandCode::PaGainRead, 0, 0, true), 2);
        return;
    }
    std::int32_t value = 0;
    m_view.power =
        QueryWL_CRTxPowerMeasure(m_adapter, &value) == -1 ? QStringLiteral(" ") : hex(value, 2);
    refreshGain(0);
}

void RfTest::refreshGain(int step, bool philips) {
    if (m_newer)
        return;
    // The MAC must not be touched by the firmware while the gains are read or set, unless
    // the transmitter runs.
    const bool idle = !m_view.running;
    const auto gate = [&](std::uint32_t open) {
        if (idle)
            SetWL_WriteMACRegister(m_adapter, kMacAccessGate, open);
    };
    gate(0);
    SetWL_WriteMACRegister(m_adapter, kRfControl, kReadBackRequest);
    std::uint32_t readBack = 0;
    const bool read = QueryWL_ReadMACRegister(m_adapter, kRfReadBack, &readBack) == 0;
    gate(1);
    if (!read) {
        // A gain word made from a failed read would set gains nobody chose.
        m_view.paGain = m_view.philipsGain = QStringLiteral(" ");
        return;
    }
    GainWord gains = GainWord::decodeReadBack(readBack);
    (philips ? gains.philips : gains.pa) += step;
    gains.pa = std::clamp(gains.pa, 0, kMaxPaGain);
    gains.philips = std::clamp(gains.philips, 0, kMaxPaGain);
    if (step != 0) {
        gate(0);
        SetWL_WriteMACRegister(m_adapter, kRfControl, gains.encode());
        gate(1);
    }
    m_view.paGain = hex(gains.pa);
    m_view.philipsGain = hex(gains.philips);
}

void RfTest::stepPaGain(int step) {
    if (!m_newer) {
        refreshGain(step);
        return;
    }
    m_view.paGain = shownOr(
        testCommand(m_adapter, TestCommandCode::PaGainStep, static_cast<std::uint16_t>(step)), 0);
    query();
}

RfTest::Answer RfTest::stepPhilipsGain(int step) {
    if (m_newer)
        return Answer::NotSupported;
    refreshGain(step, true);
    return Answer::Done;
}

void RfTest::refreshLines() {
    std::int32_t value = 0;
    if (QueryWL_ReadPHYRegister(m_adapter, LineRegister, &value) != 0)
        return;
    m_view.trSw = (value & TrSwLine) != 0 ? QStringLiteral("TR_SW(1)") : QStringLiteral("TR_SW(0)");
    m_view.paPe = (value & PaPeLine) != 0 ? QStringLiteral("PA_PE(1)") : QStringLiteral("PA_PE(0)");
}

void RfTest::setManual(bool on) {
    m_view.manual = on;
    m_view.lineButtonsEnabled = on;
    refreshLines();
    changePhy(LineRegister, [on](int v) { return on ? v | ManualLines : v & ~ManualLines; });
}

void RfTest::togglePaPe() {
    changePhy(LineRegister, [](int v) { return v ^ PaPeLine; });
    refreshLines();
}

void RfTest::toggleTrSw() {
    changePhy(LineRegister, [](int v) { return v ^ TrSwLine; });
    refreshLines();
}

RfTest::Answer RfTest::setScrambler(bool on) {
    if (m_newer)
        return Answer::NotSupported;
    if (SetWL_CRScrambler(m_adapter, on ? 1 : 0) != -1)
        m_view.scrambler = on ? Enabled : Disabled;
    return Answer::Done;
}

RfTest::Answer RfTest::setSpreading(bool on) {
    if (m_newer)
        return Answer::NotSupported;
    if (SetWL_CRSpread(m_adapter, on ? 1 : 0) != -1)
        m_view.spreading = on ? Enabled : Disabled;
    return Answer::Done;
}

void RfTest::setFilterBand(Band band) {
    if (SetWL_FilterBand(m_adapter, band == Japan ? 2 : 1) != -1)
        m_view.band = band;
}

void RfTest::doze() {
    if (m_newer)
        testCommand(m_adapter, TestCommandCode::Doze);
    else
        SetWL_DisableNIC(m_adapter);
}

std::array<int, 2> RfTest::antennas() {
    for (const AntennaUse use : {AntennaUse::Transmit, AntennaUse::Receive}) {
        const std::int32_t v = QueryWL_FirmwareAntennaDiversity(m_adapter, code(use));
        // 1 to 3 are the three radios; 0 shows as the first one.
        m_view.antennas[static_cast<std::size_t>(code(use))] = v >= 1 && v <= 3 ? v - 1
                                                               : v == 0         ? 0
                                                                                : -1;
    }
    return m_view.antennas;
}

bool RfTest::setPowerControl(bool on) {
    WLFirmwareRecord r{};
    r.length = 2;
    r.id = static_cast<std::uint16_t>(FirmwareRecordId::PowerControl);
    if (ReadOid(m_adapter, WL_OID_FIRMWARE_RECORD, &r, sizeof r) == -1)
        return false;
    if (m_newer)
        r.data[0] = on ? 1 : 0;
    else
        r.data[0] = static_cast<std::uint16_t>(on ? r.data[0] | kPowerControlBit
                                                  : r.data[0] & ~kPowerControlBit);
    if (WriteOid(m_adapter, WL_OID_FIRMWARE_RECORD, &r, sizeof r) == -1)
        return false;
    refreshGain(0);
    return true;
}

} // namespace kx
