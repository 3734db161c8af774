#pragma once
// The factory content of an adapter's EEPROM: a card information structure (PCMCIA) or
// the PCI IDs in the first 256 bytes, the newer chip's fixed fields, and the extended
// ID-data records at the extended offset.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "driver/MacText.h"
#include "kx02app/AdapterModel.h"

namespace kx::sim {

class EepromBuilder final {
public:
    static std::vector<std::uint8_t> build(const AdapterModel& model, const MacBytes& mac,
                                           std::uint16_t channelMask);
    // The MAC address the image carries, where the adapter takes it from at power-up.
    static std::optional<MacBytes> macFrom(std::span<const std::uint8_t> image,
                                           const AdapterModel& model);
    // The 14 transmit set-point bytes.
    static std::vector<std::uint8_t> txSetPoint(std::span<const std::uint8_t> image,
                                                const AdapterModel& model);
};

} // namespace kx::sim
