#pragma once
// The figures of a receive packet-error-rate test, from the tally records taken at
// its start and at its end and the times of the first and last counter change.

#include <array>
#include <cstdint>

#include <QString>

#include "pro/tally/TallyRecord.h"

namespace kx {

// Which received frames a test counts: bit 0 unicast, bit 1 multicast.
enum PerPacketType { PerUnicast = 1, PerMulticast = 2, PerBoth = 3 };

struct PerFigures final {
    QString received;   // "Received Good Packet:"
    QString lost;       // "Lost and Bad Packet:"
    QString time;       // "Received Time:"
    QString errorRate;  // "Packet Error Rate(%):"
    QString throughput; // "Throughput:"
};

class PerCalculator final {
public:
    // The receive counters compared: Rx unicast and multicast frames, PLCP CRC
    // errors, unicast and multicast octets, CRC-32 errors.
    static constexpr int kFirstReceiveCounter = 10;
    static constexpr int kReceiveCounters = 6;
    using Differences = std::array<std::uint64_t, kReceiveCounters>;

    // Later minus earlier for each receive counter, borrowing across all 64 bits, so a
    // counter that wrapped still gives the frames in between.
    static Differences differences(const TallyRecord& earlier, const TallyRecord& later);
    static bool receiveChanged(const TallyRecord& a, const TallyRecord& b);
    // Frames of the packet type: the low 32 bits, as the signed count the test shows.
    static std::int32_t receivedFrames(const Differences& d, int packetType);
    static std::uint64_t receivedOctets(const Differences& d, int packetType);
    // Seconds between the two ticks, taken as an unsigned 32-bit difference.
    static QString receivedTime(std::uint32_t firstTick, std::uint32_t lastTick);
    static PerFigures figures(const TallyRecord& base, const TallyRecord& newest, int packetType,
                              int expected, std::uint32_t firstTick, std::uint32_t lastTick);
};

} // namespace kx
