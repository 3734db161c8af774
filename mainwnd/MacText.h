#pragma once
// A MAC address as the main window writes it: six two-digit upper-case hexadecimal
// numbers separated by single blanks, e.g. "00 0A 1B 2C 3D 4E".

#include <cstdint>

#include <QString>

namespace kx {

class MacText final {
public:
    static QString format(const std::uint8_t* mac6);
};

} // namespace kx
