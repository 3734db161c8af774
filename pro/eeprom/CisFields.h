#pragma once
// What the card information structure editor shows and changes: the manufacturer ID
// tuple (0x20), the version tuple's four names (0x15) and the supply voltage of the
// configuration entry (0x1B). Other tuples are kept as they are; none is added or
// removed.

#include <optional>

#include <QString>

#include "pro/eeprom/EepromProblem.h"
#include "pro/eeprom/EepromSettings.h"
#include "pro/eeprom/VersionTuple.h"

namespace kx {

struct CisFields final {
    enum Voltage { NoVoltage = -1, FiveVolt = 0, ThreeVolt = 1 };

    static CisFields fromTuples(const EepromSettings::Tuples& tuples);
    // Checks every field first: on a problem nothing is changed.
    std::optional<EepromProblem> applyTo(EepromSettings::Tuples& tuples) const;

    QString manufacturer; // 16-bit, hexadecimal
    QString card;
    VersionTuple::Texts names;
    int voltage = NoVoltage;
    // The choice the tuples showed. Only another choice rewrites the configuration
    // tuples: their indexes, custom entries and lengths are the card's, which one fixed
    // pattern would overwrite.
    int readVoltage = NoVoltage;
};

} // namespace kx
