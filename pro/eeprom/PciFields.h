#pragma once
// What the PCI editor shows and changes: the subsystem vendor ID (bytes 2-3) and
// device ID (bytes 0-1), each typed high byte first.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "pro/eeprom/EepromProblem.h"

namespace kx {

struct PciFields final {
    using Ids = std::array<std::uint8_t, 4>;

    static PciFields fromIds(const Ids& ids);
    // Each field is read as two bytes, high byte first, so "7B" stores 0x7B00. Checks
    // both fields first: on a problem nothing is changed.
    std::optional<EepromProblem> applyTo(Ids& ids) const;

    QString vendor;
    QString device;
};

} // namespace kx
