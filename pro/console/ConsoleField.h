#pragma once
// The number fields of the debug console. A register or address typed wrong must
// never reach the chip, so a field is either a number or refused; blanks around it are
// ignored and an empty field is 0.

#include <cstdint>
#include <optional>

#include <QString>

namespace kx {

class ConsoleField final {
public:
    // At most eight hexadecimal digits, without prefix.
    static std::optional<std::uint32_t> hex(const QString& text);
    // A decimal register number, 0 or more within 32 bits: the digits the field starts
    // with, after an optional plus sign.
    static std::optional<std::int32_t> decimal(const QString& text);
};

} // namespace kx
