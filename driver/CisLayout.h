#pragma once
// A PC Card's information structure as its EEPROM holds it in the first 256 bytes:
// tuples of a code, a link (the data's length) and the data, ended by code 0xFF. The
// simulated cards are made with it and the card editor reads and writes it.

#include <array>
#include <cstdint>

namespace kx {

struct CisLayout final {
    static constexpr int kAreaSize = 256;

    enum Code : std::uint8_t {
        Version = 0x15,
        Config = 0x1B, // a configuration entry
        ManufacturerId = 0x20,
        FunctionId = 0x21,
        FunctionExtension = 0x22,
        End = 0xFF
    };
    static constexpr std::uint8_t kManufacturerLink = 4;

    // A configuration entry for either supply voltage.
    static constexpr std::uint8_t kConfigLink = 16;
    using ConfigPattern = std::array<std::uint8_t, kConfigLink>;
    static constexpr ConfigPattern kConfig3_3Volt{0xC1, 0x01, 0x19, 0x77, 0xB5, 0x1E, 0x35, 0xB5,
                                                  0x3C, 0x36, 0x36, 0x05, 0x46, 0x7F, 0xFF, 0xFF};
    static constexpr ConfigPattern kConfig5Volt{0xC1, 0x01, 0x19, 0x77, 0x55, 0xCD, 0x2D, 0xD5,
                                                0x2D, 0x36, 0x36, 0x05, 0x46, 0x7F, 0xFF, 0xFF};

    // The function extension that carries the LAN node ID: type, length, the address.
    static constexpr std::uint8_t kLanNodeId = 4;
    static constexpr std::uint8_t kNodeIdLength = 6;
    static constexpr std::uint8_t kNodeIdLink = 2 + kNodeIdLength;
};

} // namespace kx
