#pragma once
// The adapter's statistics: the 21 tally counters, growing at rates set by the link
// while it is up. Each counter carries its remainder, so the totals do not depend on
// how often they are read.

#include <array>
#include <cstdint>

#include "driver/kx02app.h"

namespace kx::sim {

class TrafficCounters final {
public:
    static constexpr std::size_t kCount = WL_TALLY_COUNTERS;
    enum Index {
        TxUnicastFrames = 0,
        TxMulticastFrames = 1,
        TxUnicastOctets = 3,
        TxMulticastOctets = 4,
        TxMultipleRetries = 7,
        TxRetryLimitExceeded = 8,
        RxUnicastFrames = 10,
        RxMulticastFrames = 11,
        RxPlcpCrcErrors = 12,
        RxUnicastOctets = 13,
        RxMulticastOctets = 14,
        RxCrc32Errors = 15,
        RxDiscarded = 16,
        RxTotal = 17,
        RxDecryptFailures = 18
    };
    // What the link carries: frames per second each way and the share of bad frames.
    struct Load {
        int txPerSecond = 0;
        int rxPerSecond = 0;
        int badPermille = 0;
        bool encrypted = false;
    };

    void setLoad(const Load& load);
    void advance(std::int64_t milliseconds);
    // Unicast frames of a test transmitter: the good ones counted with their octets,
    // the damaged ones as CRC-32 errors.
    void receiveTestFrames(std::uint64_t good, std::uint64_t damaged, int frameBytes);
    void reset();

    std::uint64_t value(std::size_t index) const { return m_values[index]; }
    void setValue(std::size_t index, std::uint64_t value) { m_values[index] = value; }
    std::uint32_t txFrames() const;
    std::uint32_t rxFrames() const;
    // The newer chip's driver debug counters (17 used of 21).
    std::array<std::uint64_t, kCount> debugTally() const;
    // Links lost since the last reset, for the debug tally.
    void countLinkLoss() { ++m_linkLosses; }

    template <typename Archive> void share(Archive& a) {
        a(m_values, m_carry, m_perKilosecond, m_linkLosses);
    }

private:
    std::array<std::uint64_t, kCount> m_values{};
    std::array<std::uint64_t, kCount> m_carry{};
    std::array<std::uint64_t, kCount> m_perKilosecond{};
    std::uint64_t m_linkLosses = 0;
};

} // namespace kx::sim
