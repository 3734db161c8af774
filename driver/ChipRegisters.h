#pragma once
// The older chip's registers as the RF test drives them and the driver answers them:
// the baseband (PHY) control registers with their bits, and the RF control word behind
// the MAC registers that carries the power amplifier gains.

#include <cstdint>

#include "driver/DriverCodes.h"

namespace kx {

enum PhyRegister : int {
    RateRegister = 5,
    PatternRegister = 9,
    LineRegister = 11,
    Cr32Register = 32
};

// CR11: the manual RF lines and the switch that hands them to the page.
enum LineBits : int { TrSwLine = 0x01, PaPeLine = 0x02, ManualLines = 0x04 };
// CR9: the transmit pattern (both bits CW, bit 3 alone carrier suppression).
enum PatternBits : int { PatternBit3 = 0x08, PatternBit4 = 0x10 };
// CR32 bit 2: cleared for modulated test frames.
inline constexpr int kCr32Bit2 = 0x04;
// CR5 holds the test rate as 0..3 (1, 2, 5.5, 11 Mbit/s).
inline constexpr int kFastestCr5Rate = 3;

constexpr TestPattern patternOfCr9(std::uint8_t cr9) {
    switch (cr9 & (PatternBit3 | PatternBit4)) {
    case PatternBit3 | PatternBit4:
        return TestPattern::Cw;
    case PatternBit3:
        return TestPattern::CarrierSuppression;
    default:
        return TestPattern::Normal;
    }
}

// The MAC register that keeps the firmware off the MAC while the page works (0 closed).
inline constexpr std::uint32_t kMacAccessGate = 0x400104;
// The RF control word: writing the request arms the read-back register; a word whose
// low byte is the marker sets both gains.
inline constexpr std::uint32_t kRfControl = 0x600044;
inline constexpr std::uint32_t kRfReadBack = 0x600048;
inline constexpr std::uint32_t kReadBackRequest = 7;
inline constexpr std::uint32_t kGainWordMarker = 0x87;

struct GainWord final {
    int pa = 0;
    int philips = 0;

    // The control word that sets both gains.
    constexpr std::uint32_t encode() const {
        return static_cast<std::uint32_t>((pa & 0x0F) << 12 | (philips & 0x0F) << 8) |
               kGainWordMarker;
    }
    constexpr static GainWord decodeControl(std::uint32_t word) {
        return {static_cast<int>(word >> 12 & 0x0F), static_cast<int>(word >> 8 & 0x0F)};
    }
    // The read-back register: PA gain in bits 4-7, the other in bits 0-3.
    constexpr std::uint32_t readBack() const {
        return static_cast<std::uint32_t>((pa & 0x0F) << 4 | (philips & 0x0F));
    }
    constexpr static GainWord decodeReadBack(std::uint32_t value) {
        return {static_cast<int>(value >> 4 & 0x0F), static_cast<int>(value & 0x0F)};
    }
};

} // namespace kx
