#pragma once
// The adapter's EEPROM as read at selection: the content, its length by bus kind and
// where the extended ID-data records begin.

#include <array>
#include <cstdint>

namespace kx {

struct EepromImage final {
    static constexpr int kCapacity = 4096;

    std::array<std::uint8_t, kCapacity> bytes{};
    int length = 0;         // 512 PCMCIA and PCI, 2048 USB, 0 before any known bus
    int extendedOffset = 0; // 256 PCMCIA and PCI, 1792 USB
};

} // namespace kx
