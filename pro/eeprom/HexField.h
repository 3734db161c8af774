#pragma once
// The hexadecimal fields of the EEPROM editors, read strictly: text that is not what
// the field holds is refused with a message naming the field, never stored as 0xFF
// bytes or cut short.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "pro/eeprom/Checked.h"

namespace kx {

class HexField final {
public:
    // One to four hexadecimal digits, blanks around them ignored; empty reads as 0.
    static Checked<std::uint16_t> number16(const QString& text, const QString& field);
    // At most `count` bytes in groups of one or two digits (longer runs split after
    // every second digit) separated by blanks or tabs; missing bytes are 0.
    static Checked<std::vector<std::uint8_t>> bytes(const QString& text, int count,
                                                    const QString& field);
    // A field typed longer than it holds is refused before it is read.
    static std::optional<EepromProblem> withinLimit(const QString& text, int limit,
                                                    const QString& field);
    // Four digits, high byte first.
    static QString show16(std::uint8_t low, std::uint8_t high);
};

} // namespace kx
