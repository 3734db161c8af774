#include "kx02app/RegisterFile.h"

#include <algorithm>

#include "driver/ChipRegisters.h"
#include "driver/DriverLimits.h"

namespace kx::sim {

namespace {
struct PhyDefault {
    int reg;
    std::uint8_t value;
};
// Power-up values of the registers the test pages use: 11 Mbit/s test rate (CR5), the
// transmit pattern and filter bits (CR9), manual RF lines off (CR11), CR32 bit 2 set.
constexpr PhyDefault kPhyDefaults[] = {
    {RateRegister, 0x03}, {PatternRegister, 0x1C}, {LineRegister, 0x00}, {Cr32Register, kCr32Bit2}};
} // namespace

RegisterFile::RegisterFile() {
    for (const PhyDefault& d : kPhyDefaults)
        setPhy(d.reg, d.value);
}

std::uint32_t RegisterFile::readMac(std::uint32_t address) const {
    if (address == kRfReadBack && m_readBackArmed)
        return GainWord{m_paGain, m_philipsGain}.readBack();
    const auto it = m_mac.find(address);
    return it == m_mac.end() ? 0 : it->second;
}

void RegisterFile::writeMac(std::uint32_t address, std::uint32_t value) {
    m_mac[address] = value;
    if (address != kRfControl)
        return;
    m_readBackArmed = value == kReadBackRequest;
    if ((value & 0xFF) == kGainWordMarker) {
        const GainWord gains = GainWord::decodeControl(value);
        m_paGain = gains.pa;
        m_philipsGain = gains.philips;
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
    m_paGain = std::clamp(gain, 0, kMaxPaGain);
}
void RegisterFile::setPhilipsGain(int gain) {
    m_philipsGain = std::clamp(gain, 0, kMaxPaGain);
}

} // namespace kx::sim
