#include "pro/eeprom/MacEntry.h"

#include "driver/MacText.h"
#include "pro/eeprom/HexField.h"

namespace kx {

Checked<MacEntry::Mac> MacEntry::parse(const QString& text) {
    constexpr int kLimit = 24;
    const QString field = QStringLiteral("MAC Address");
    if (std::optional<EepromProblem> tooLong = HexField::withinLimit(text, kLimit, field))
        return *tooLong;
    if (const std::optional<Mac> mac = MacText::parse(text.toStdString()))
        return *mac;
    return EepromProblem{
        field,
        QStringLiteral("MAC Address: please enter six hexadecimal bytes separated by blanks, "
                       "colons or hyphens (such as 00 1C 7E 21 02 07), or twelve hexadecimal "
                       "digits. Nothing was written.")};
}

QString MacEntry::show(const Mac& mac) {
    return QString::fromLatin1(MacText::format(mac));
}

} // namespace kx
