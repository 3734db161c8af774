#include "pro/per/PerCalculator.h"

namespace kx {

namespace {
enum { FramesUnicast, FramesMulticast, PlcpCrc, OctetsUnicast, OctetsMulticast, Crc32 };
// Per frame: 24 bytes of MAC header and 4 of checksum that carry no payload.
constexpr double kOverheadBytes = 28.0;

std::uint64_t byType(const PerCalculator::Differences& d, int packetType, int unicast,
                     int multicast) {
    std::uint64_t sum = 0;
    if (packetType & PerUnicast)
        sum += d[static_cast<std::size_t>(unicast)];
    if (packetType & PerMulticast)
        sum += d[static_cast<std::size_t>(multicast)];
    return sum;
}
} // namespace

PerCalculator::Differences PerCalculator::differences(const TallyRecord& earlier,
                                                      const TallyRecord& later) {
    Differences d{};
    for (int i = 0; i < kReceiveCounters; ++i)
        d[static_cast<std::size_t>(i)] =
            later.counter(kFirstReceiveCounter + i) - earlier.counter(kFirstReceiveCounter + i);
    return d;
}

bool PerCalculator::receiveChanged(const TallyRecord& a, const TallyRecord& b) {
    for (int i = 0; i < kReceiveCounters; ++i) {
        if (a.counter(kFirstReceiveCounter + i) != b.counter(kFirstReceiveCounter + i))
            return true;
    }
    return false;
}

std::int32_t PerCalculator::receivedFrames(const Differences& d, int packetType) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(byType(d, packetType, FramesUnicast, FramesMulticast)));
}

std::uint64_t PerCalculator::receivedOctets(const Differences& d, int packetType) {
    return byType(d, packetType, OctetsUnicast, OctetsMulticast);
}

QString PerCalculator::receivedTime(std::uint32_t firstTick, std::uint32_t lastTick) {
    return QString::asprintf("%.2f", static_cast<std::uint32_t>(lastTick - firstTick) / 1000.0);
}

PerFigures PerCalculator::figures(const TallyRecord& base, const TallyRecord& newest,
                                  int packetType, int expected, std::uint32_t firstTick,
                                  std::uint32_t lastTick) {
    const Differences d = differences(base, newest);
    const std::int32_t good = receivedFrames(d, packetType);
    PerFigures f;
    f.received = QString::number(good);
    f.lost = QString::number(std::int64_t{expected} - good);
    f.time = receivedTime(firstTick, lastTick);
    if (expected < good)
        f.errorRate = QStringLiteral("!!Wrong!!");
    else if (expected == 0)
        f.errorRate = QStringLiteral("---"); // nothing expected and nothing came: no rate
    else
        f.errorRate = QString::asprintf("%.2f%%", (static_cast<double>(expected) - good) * 100.0 /
                                                      static_cast<double>(expected));
    const std::uint32_t elapsed = lastTick - firstTick;
    if (elapsed == 0) {
        f.throughput = QStringLiteral("0.000 Mb/Sec");
    } else {
        // Payload bits per microsecond.
        const double payload =
            static_cast<double>(receivedOctets(d, packetType)) - good * kOverheadBytes;
        f.throughput = QString::asprintf("%.3f Mb/Sec", payload * 8.0 / (elapsed * 1000.0));
    }
    return f;
}

} // namespace kx
