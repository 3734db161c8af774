#pragma once
// The newer chip keeps its settings at fixed offsets of the EEPROM image and takes
// changes as a series of command records sent to the firmware.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver/kx02app.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

class NewerChipFields final {
public:
    // The fields as the image holds them; bytes beyond `size` read as erased (0xFF).
    static NewerChipFields decode(const std::uint8_t* bytes, std::size_t size);
    // Over the decoded records: set point and integration (2, 3), hardware version (5),
    // channels (6, 7), region (8, length kept) and the PCI IDs.
    void applyTo(EepromSettings& settings) const;
    // The records that write the settings and the address, ready for the firmware.
    static std::vector<WLFirmwareRecord> commands(const EepromSettings& settings,
                                                  const std::array<std::uint8_t, 6>& mac);

    std::array<std::uint8_t, 4> pciIds{};
    std::array<std::uint8_t, 2> hardwareVersion{};
    std::array<std::uint8_t, 14> txSetPoint{};
    std::array<std::uint8_t, 14> txIntegration{};
    std::array<std::uint8_t, 2> allowedChannels{};
    std::array<std::uint8_t, 2> defaultChannel{};
    std::array<std::uint8_t, 2> region{};
};

} // namespace kx
