#pragma once
// The version tuple (0x15) of the card information structure: version 5.0, then the
// manufacturer name, the product name and two lines of additional information, each
// ended by a zero byte, within 80 data bytes whose last is 0xFF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include <QString>

#include "pro/eeprom/Checked.h"

namespace kx {

class VersionTuple final {
public:
    static constexpr std::uint8_t kCode = 0x15;
    static constexpr int kLink = 80;
    static constexpr int kStrings = 4;
    using Data = std::array<std::uint8_t, kLink>;
    using Texts = std::array<QString, kStrings>;

    // The four strings from the tuple's data bytes (`size` of them); a string not
    // ended within the data ends there, and those after it are empty.
    static std::array<std::string, kStrings> decode(const std::uint8_t* data, std::size_t size);
    // Each text trimmed and stored as single bytes. Refused, naming the field, when a
    // text holds a character that is no single byte or the texts do not all fit.
    static Checked<Data> encode(const Texts& texts);
};

} // namespace kx
