#include "kx02app/RegisterFile.h"

#include <algorithm>

namespace kx::sim {

namespace {
struct PhyDefault {
    int reg;
    std::uint8_t value;
};
// Power-up values of the registers the test pages use: 11 Mbit/s test rate (CR5), the
// transmit pattern and filter bits (CR9), manual RF lines off (CR11), CR32 bit 2 set.
constexpr PhyDefault kPhyDefaults[] = {{5, 0x03}, {9, 0x1C}, {11, 0x00}, {32, 0x04}};
} // namespace

RegisterFile::RegisterFile() {
    for (const PhyDefault& d : kPhyDefaults)
        setPhy(d.reg, d.value);
}

std::uint32_t RegisterFile::readMac(std::uint32_t address) const {
    if (address == kRfReadBack && m_readBackArmed)
        return static_cast<std::uint32_t>(m_paGain << 4 | m_philipsGain);
    const auto it = m_mac.find(address);
    return it == m_mac.end() ? 0 : it->second;
}

void RegisterFile::writeMac(std::uint32_t address, std::uint32_t value) {
    m_mac[address] = value;
    if (address != kRfControl)
        return;
    m_readBackArmed = value == kReadBackRequest;
    if ((value & 0xFF) == kGainWordMarker) {
        m_paGain = static_cast<int>(value >> 12 & 0x0F);
        m_philipsGain = static_cast<int>(value >> 8 & 0x0F);
    }
}

std::uint32_t RegisterFile::readMemory(std::uint32_t address) const {
    const auto it = m_memory.find(address);
    if (it != m_memory.end())
        return it->second;
    // Memory never written reads as a fixed pattern of its address, as a real chip's would.
    return (address * 2654435761u) ^ 0x5A5AA5A5u;
}

void RegisterFile::setPaGain(int gain) {
    m_paGain = std::clamp(gain, 0, 15);
}
void RegisterFile::setPhilipsGain(int gain) {
    m_philipsGain = std::clamp(gain, 0, 15);
}

} // namespace kx::sim
