#pragma once
// What the hardware identifier tells about an adapter: its chip and its bus, and with
// the bus the size of its EEPROM and where the extended records begin.

#include <string_view>

#include "driver/DriverCodes.h"

namespace kx::sim {

class AdapterModel final {
public:
    explicit AdapterModel(std::string_view hardwareId);

    int chip() const { return code(m_chip); }
    bool newerChip() const { return m_chip == ChipVersion::Newer; }
    BusKind bus() const { return m_bus; }
    int eepromSize() const { return eepromSize(m_bus); }
    int extendedOffset() const { return extendedOffset(m_bus); }

    // By bus; an unknown bus is read as PCMCIA.
    static int eepromSize(int bus);
    static int extendedOffset(int bus);

private:
    ChipVersion m_chip = ChipVersion::Older;
    BusKind m_bus = BusPcmcia;
};

} // namespace kx::sim
