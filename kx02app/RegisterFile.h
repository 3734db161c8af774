#pragma once
// The chip's registers and memory: 256 baseband (PHY) control registers of 8 bits,
// the 32-bit MAC registers, the newer chip's memory, and the power amplifier gains
// behind the RF control word.

#include <array>
#include <cstdint>
#include <map>

namespace kx::sim {

class RegisterFile final {
public:
    RegisterFile();

    static bool validPhy(std::int64_t reg) { return reg >= 0 && reg <= 255; }
    std::uint8_t phy(int reg) const { return m_phy[static_cast<std::size_t>(reg)]; }
    void setPhy(int reg, std::uint8_t value) { m_phy[static_cast<std::size_t>(reg)] = value; }

    std::uint32_t readMac(std::uint32_t address) const;
    void writeMac(std::uint32_t address, std::uint32_t value);

    std::uint32_t readMemory(std::uint32_t address) const;
    void writeMemory(std::uint32_t address, std::uint32_t value) { m_memory[address] = value; }

    int paGain() const { return m_paGain; }
    int philipsGain() const { return m_philipsGain; }
    void setPaGain(int gain);
    void setPhilipsGain(int gain);

    template <typename Archive> void share(Archive& a) {
        a(m_phy, m_mac, m_memory, m_paGain, m_philipsGain, m_readBackArmed);
    }

private:
    std::array<std::uint8_t, 256> m_phy{};
    std::map<std::uint32_t, std::uint32_t> m_mac;
    std::map<std::uint32_t, std::uint32_t> m_memory;
    int m_paGain = 8;
    int m_philipsGain = 5;
    bool m_readBackArmed = false;
};

} // namespace kx::sim
