#pragma once
// The last six samples of the joined network's link measurements, so that the signal
// and quality bars show a steady average instead of every tick's jitter.

#include <array>
#include <cstdint>

namespace kx {

class SignalHistory final {
public:
    static constexpr int kSlots = 6;

    struct Average {
        int quality = 0;
        int signal = 0;
    };

    void clear();
    // A sample with no packets carries no measurement and is not stored.
    void add(int qualitySum, int signal, int packets);
    // Quality = summed quality / summed packets, signal = summed signal / samples;
    // without packets the plain sums (0 while nothing was stored).
    Average average() const;
    int sampleCount() const { return m_count; }

private:
    std::array<std::int32_t, kSlots> m_quality{};
    std::array<std::int32_t, kSlots> m_signal{};
    std::array<std::int32_t, kSlots> m_packets{};
    int m_index = 0;
    int m_count = 0;
};

} // namespace kx
