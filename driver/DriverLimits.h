#pragma once
// The limits the driver and the people typing values share: each is stated here once,
// for the program, kxctl and every driver library.

#include <cstddef>
#include <cstdint>

#include "driver/DriverCodes.h"
#include "driver/kx02app.h"

namespace kx {

// An SSID is at most 32 bytes; the driver's text buffers add the NUL.
inline constexpr int kMaxSsidBytes = WL_SSID_MAX_BYTES;

// Four WEP keys of 5 bytes (64-bit) or 13 bytes (128-bit), typed as twice as many
// hexadecimal digits.
inline constexpr int kWepKeyCount = 4;
inline constexpr int kWepKeyBytes64 = 5;
inline constexpr int kWepKeyBytes128 = 13;
constexpr int wepKeyBytes(WepBit length) {
    return length == WepBit::Bits128 ? kWepKeyBytes128 : kWepKeyBytes64;
}
constexpr int wepKeyDigits(WepBit length) {
    return 2 * wepKeyBytes(length);
}

// The 2.4 GHz channels an adapter may offer (bit n-1 of a channel mask = channel n).
inline constexpr int kFirstChannel = 1;
inline constexpr int kLastChannel = 14;
inline constexpr std::uint16_t kAllChannelsMask = 0x3FFF;

// The power amplifier gains of the RF test.
inline constexpr int kMaxPaGain = 15;

// A UDP port, as the PER test's receive port takes it.
inline constexpr int kMaxPort = 65535;

} // namespace kx
