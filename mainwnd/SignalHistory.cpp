#include "mainwnd/SignalHistory.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kx {

namespace {

// Sums in 64 bits: six driver answers near the int limits must not overflow.
std::int64_t sum(const std::array<std::int32_t, SignalHistory::kSlots>& ring) {
    return std::accumulate(ring.begin(), ring.end(), std::int64_t{0});
}

int toInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

void SignalHistory::clear() {
    *this = SignalHistory{};
}

void SignalHistory::add(int qualitySum, int signal, int packets) {
    if (packets == 0)
        return;
    const auto i = static_cast<std::size_t>(m_index);
    m_quality[i] = qualitySum;
    m_signal[i] = signal;
    m_packets[i] = packets;
    m_index = (m_index + 1) % kSlots;
    m_count = std::min(m_count + 1, kSlots);
}

SignalHistory::Average SignalHistory::average() const {
    const std::int64_t quality = sum(m_quality);
    const std::int64_t signal = sum(m_signal);
    const std::int64_t packets = sum(m_packets);
    if (packets > 0 && m_count > 0)
        return {toInt(quality / packets), toInt(signal / m_count)};
    return {toInt(quality), toInt(signal)};
}

} // namespace kx
