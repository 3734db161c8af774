#pragma once
// The factory content of an adapter's EEPROM: a card information structure (PCMCIA) or
// the PCI IDs in the first 256 bytes, the newer chip's fixed fields, and the extended
// ID-data records at the extended offset.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "kx02app/AdapterModel.h"
#include "kx02app/MacAddress.h"

namespace kx::sim {

class EepromBuilder final {
public:
    // Fixed offsets of the newer chip's PCI image.
    enum NewerChipOffset {
        HardwareVersion = 0x06,
        MacBytes = 0x08,
        TxSetPoint = 0x10,
        TxIntegration = 0x20,
        AllowedChannels = 0x30,
        DefaultChannel = 0x32,
        Region = 0x60
    };
    static constexpr int kSetPointBytes = 14;

    static std::vector<std::uint8_t> build(const AdapterModel& model, const Mac& mac,
                                           std::uint16_t channelMask);
    // The MAC address the image carries, where the adapter takes it from at power-up.
    static std::optional<Mac> macFrom(std::span<const std::uint8_t> image,
                                      const AdapterModel& model);
    // The 14 transmit set-point bytes.
    static std::vector<std::uint8_t> txSetPoint(std::span<const std::uint8_t> image,
                                                const AdapterModel& model);
};

} // namespace kx::sim
