#pragma once
// The channels of the 2.4 GHz band as the driver and the lists of the windows see them.

#include <cstdint>
#include <vector>

namespace kx {

class Channels final {
public:
    // Shown for a channel the adapter cannot tell (a failed or zero answer).
    static constexpr int kFallback = 6;

    // The channels a mask allows (bit n-1 = channel n), ascending.
    static std::vector<int> ofMask(std::uint16_t mask);
    // The channels of an operation channel list answer; none when the query failed.
    static std::vector<int> ofOperationList(std::int32_t answer);
    // The channel the adapter runs on: below 1 means unknown and falls back.
    static int shown(int reported) { return reported < 1 ? kFallback : reported; }

    // 2484 MHz is channel 14; the others are 5 MHz apart from channel 1 at 2412 MHz.
    static std::uint32_t frequencyKHz(int channel);
    static int ofFrequencyKHz(std::uint32_t kHz);
};

} // namespace kx
