#pragma once
// An adapter's EEPROM image and its editable settings, in both directions, by bus kind:
// PCMCIA keeps a card information structure in its first 256 bytes, PCI its subsystem
// IDs, USB leaves them alone; all keep the extended records at the extended offset.

#include <array>
#include <cstdint>

#include "adapter/EepromImage.h"
#include "pro/eeprom/Checked.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

class EepromCodec final {
public:
    using Mac = std::array<std::uint8_t, 6>;

    // Records 0 to 16 missing from the image take their defaults. The newer chip's
    // fixed fields are laid over separately (NewerChipFields).
    static EepromSettings decode(const EepromImage& image, int busKind);
    // The address the older chip's records carry (record 1).
    static Mac recordMac(const EepromSettings& settings);
    // The image rebuilt with the settings and the address, for the older chip.
    static Checked<EepromImage> encode(const EepromSettings& settings, const Mac& mac,
                                       const EepromImage& image, int busKind);
};

} // namespace kx
