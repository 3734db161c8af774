#pragma once
// The PCMCIA card information structure in the first 256 bytes of the EEPROM: tuples of
// code, link and link data bytes, ended by a code of 0xFF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "driver/CisLayout.h"
#include "pro/eeprom/EepromProblem.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

class CisChain final {
public:
    static constexpr int kAreaSize = CisLayout::kAreaSize;
    using Area = std::array<std::uint8_t, kAreaSize>;

    // Reads at most `size` bytes; what lies beyond reads as erased (0xFF). A tuple that
    // would reach the last byte of the area ends the chain and is dropped.
    static EepromSettings::Tuples decode(const std::uint8_t* bytes, std::size_t size);
    // The chain, then 0xFF to the end of the area. Refused, naming the tuples, when
    // they do not all fit so that they read back.
    static std::optional<EepromProblem> encode(const EepromSettings::Tuples& tuples, Area& area);
    // Puts the address into the LAN node ID tuple (function extension 4, six bytes)
    // when the chain has one.
    static void setNodeId(EepromSettings::Tuples& tuples, const std::array<std::uint8_t, 6>& mac);
};

} // namespace kx
