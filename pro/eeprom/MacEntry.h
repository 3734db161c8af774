#pragma once
// The MAC address as typed on the EEPROM page: six bytes of one or two hexadecimal
// digits separated by blanks, colons or hyphens, or twelve digits in a row. Anything
// else is refused; an address that reads differently from what was typed must never
// reach the card.

#include <array>
#include <cstdint>

#include <QString>

#include "driver/MacText.h"
#include "pro/eeprom/Checked.h"

namespace kx {

class MacEntry final {
public:
    using Mac = MacText::Mac;

    static Checked<Mac> parse(const QString& text);
    // Upper-case pairs separated by single blanks.
    static QString show(const Mac& mac);
};

} // namespace kx
