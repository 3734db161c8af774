#pragma once
// What the hardware identifier tells about an adapter: its chip and its bus, and with
// the bus the size of its EEPROM and where the extended records begin.

#include <string_view>

namespace kx::sim {

class AdapterModel final {
public:
    enum Bus { Pcmcia = 1, Pci = 2, Usb = 3 };
    static constexpr int kOlderChip = 3101;
    static constexpr int kNewerChip = 3102;

    explicit AdapterModel(std::string_view hardwareId);

    int chip() const { return m_chip; }
    bool newerChip() const { return m_chip == kNewerChip; }
    Bus bus() const { return m_bus; }
    int eepromSize() const { return eepromSize(m_bus); }
    int extendedOffset() const { return extendedOffset(m_bus); }

    static int eepromSize(int bus) { return bus == Usb ? 2048 : 512; }
    static int extendedOffset(int bus) { return bus == Usb ? 1792 : 256; }

private:
    int m_chip = kOlderChip;
    Bus m_bus = Pcmcia;
};

} // namespace kx::sim
