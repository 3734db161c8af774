#pragma once
// What a hardware identifier ("PCI\VEN_1C7E&DEV_2102&SUBSYS_21021C7E") says about an
// adapter: the bus its prefix names, with the bus the size of the EEPROM and where its
// extended records begin, and whether it names the newer chip. The program and every
// driver library read identifiers by this one table.

#include <span>
#include <string_view>

#include "driver/DriverCodes.h"

namespace kx {

struct BusLayout final {
    std::string_view prefix; // as identifiers begin with it, before the backslash
    BusKind kind;
    int eepromSize;
    int extendedOffset;
};

class HardwareId final {
public:
    // Only this many leading characters name the newer chip's PCI devices.
    static constexpr std::size_t kNewerChipIdLength = 21;

    static std::span<const BusLayout> buses();
    // The bus an identifier's prefix names (letter case ignored); none for another.
    static const BusLayout* busOf(std::string_view id);
    static const BusLayout* layout(BusKind kind);
    // Letter case ignored.
    static bool namesNewerChip(std::string_view id);
};

} // namespace kx
