#include "driver/Channels.h"

#include "driver/DriverLimits.h"

namespace kx {

std::vector<int> Channels::ofMask(std::uint16_t mask) {
    std::vector<int> channels;
    for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
        if (mask & (1u << (channel - 1)))
            channels.push_back(channel);
    }
    return channels;
}

std::vector<int> Channels::ofOperationList(std::int32_t answer) {
    // A failed query answers -1, whose bits would offer every channel.
    return answer < 0 ? std::vector<int>{} : ofMask(static_cast<std::uint16_t>(answer));
}

std::uint32_t Channels::frequencyKHz(int channel) {
    return channel == kLastChannel ? 2484000u
                                   : static_cast<std::uint32_t>(2407 + 5 * channel) * 1000u;
}

int Channels::ofFrequencyKHz(std::uint32_t kHz) {
    const std::int64_t mhz = kHz / 1000;
    if (mhz == 2484)
        return kLastChannel;
    return static_cast<int>((mhz - 2412) / 5 + 1);
}

} // namespace kx
