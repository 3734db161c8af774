#include "kx02app/TrafficCounters.h"

namespace kx::sim {

namespace {
constexpr std::uint64_t kMillisecondsPerKilosecond = 1000000;
constexpr std::uint64_t kTxUnicastOctetsPerFrame = 620;
constexpr std::uint64_t kTxMulticastOctetsPerFrame = 110;
constexpr std::uint64_t kRxUnicastOctetsPerFrame = 740;
constexpr std::uint64_t kRxMulticastOctetsPerFrame = 90;
} // namespace

void TrafficCounters::setLoad(const Load& load) {
    // Rates per 1000 s, so that fractions of a frame per second still count.
    const auto tx = static_cast<std::uint64_t>(load.txPerSecond);
    const auto rx = static_cast<std::uint64_t>(load.rxPerSecond);
    const auto bad = static_cast<std::uint64_t>(load.badPermille);
    m_perKilosecond = {};
    auto& r = m_perKilosecond;
    r[TxUnicastFrames] = tx * 900;
    r[TxMulticastFrames] = tx * 100;
    r[TxUnicastOctets] = r[TxUnicastFrames] * kTxUnicastOctetsPerFrame;
    r[TxMulticastOctets] = r[TxMulticastFrames] * kTxMulticastOctetsPerFrame;
    r[TxMultipleRetries] = tx * 40;
    r[TxRetryLimitExceeded] = tx * 5;
    r[RxUnicastFrames] = rx * 850;
    r[RxMulticastFrames] = rx * 150;
    r[RxPlcpCrcErrors] = rx * bad;
    r[RxUnicastOctets] = r[RxUnicastFrames] * kRxUnicastOctetsPerFrame;
    r[RxMulticastOctets] = r[RxMulticastFrames] * kRxMulticastOctetsPerFrame;
    r[RxCrc32Errors] = rx * bad * 2;
    r[RxDiscarded] = rx * 10;
    r[RxTotal] = rx * 1000 + r[RxPlcpCrcErrors] + r[RxCrc32Errors];
    r[RxDecryptFailures] = load.encrypted ? rx * 2 : 0;
}

void TrafficCounters::advance(std::int64_t milliseconds) {
    if (milliseconds <= 0)
        return;
    const auto ms = static_cast<std::uint64_t>(milliseconds);
    for (std::size_t i = 0; i < kCount; ++i) {
        const std::uint64_t total = ms * m_perKilosecond[i] + m_carry[i];
        m_values[i] += total / kMillisecondsPerKilosecond;
        m_carry[i] = total % kMillisecondsPerKilosecond;
    }
}

void TrafficCounters::receiveTestFrames(std::uint64_t good, std::uint64_t damaged, int frameBytes) {
    m_values[RxUnicastFrames] += good;
    m_values[RxUnicastOctets] += good * static_cast<std::uint64_t>(frameBytes);
    m_values[RxCrc32Errors] += damaged;
    m_values[RxTotal] += good + damaged;
}

void TrafficCounters::reset() {
    m_values = {};
    m_carry = {};
    m_linkLosses = 0;
}

std::uint32_t TrafficCounters::txFrames() const {
    return static_cast<std::uint32_t>(m_values[TxUnicastFrames] + m_values[TxMulticastFrames]);
}

std::uint32_t TrafficCounters::rxFrames() const {
    return static_cast<std::uint32_t>(m_values[RxUnicastFrames] + m_values[RxMulticastFrames]);
}

std::array<std::uint64_t, TrafficCounters::kCount> TrafficCounters::debugTally() const {
    const auto& v = m_values;
    const std::uint64_t discarded = v[RxDiscarded];
    const std::uint64_t rxFrames = v[RxUnicastFrames] + v[RxMulticastFrames];
    return {v[RxTotal],
            v[RxCrc32Errors],
            v[RxPlcpCrcErrors],
            v[RxDecryptFailures],
            0, // multicast decryption errors
            0, // receive FIFO overruns
            rxFrames + discarded,
            discarded,
            discarded - 2 * (discarded / 3), // shorter than the minimum
            discarded / 3,                   // longer than the maximum
            discarded / 3,                   // PLCP and MAC lengths differ
            rxFrames,
            v[TxUnicastFrames] + v[TxMulticastFrames],
            0, // underruns
            v[TxMultipleRetries],
            v[TxRetryLimitExceeded],
            m_linkLosses,
            0,
            0,
            0,
            0};
}

} // namespace kx::sim
