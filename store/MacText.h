#pragma once
// A MAC address as text. The program shows it as six two-digit upper-case hexadecimal
// numbers separated by single blanks ("00 0A 1B 2C 3D 4E"); output for programs uses the
// form other network tools read and write, lower-case pairs joined by colons
// ("00:0a:1b:2c:3d:4e"). What a person types is read
// strictly: six octets of one or two digits separated by blanks, colons or hyphens, or
// twelve digits in a row, with blanks around the whole ignored. Anything else is no
// address, so a typo never turns into a different address.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

namespace kx {

class MacText final {
public:
    using Mac = std::array<std::uint8_t, 6>;

    static QString format(const std::uint8_t* mac6);
    static QString format(const Mac& mac) { return format(mac.data()); }
    static QString formatForPrograms(const Mac& mac);
    // nullopt for anything that is not an address, an empty text included.
    static std::optional<Mac> parse(const QString& text);
};

} // namespace kx
