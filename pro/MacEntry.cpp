#include "pro/MacEntry.h"

#include "store/MacText.h"

namespace kx {

Checked<MacEntry::Mac> MacEntry::parse(const QString& text) {
    if (const std::optional<Mac> mac = MacText::parse(text))
        return *mac;
    return EepromProblem{
        QStringLiteral("MAC Address"),
        QStringLiteral("MAC Address: please enter six hexadecimal bytes separated by blanks, "
                       "colons or hyphens (such as 00 1C 7E 21 02 07), or twelve hexadecimal "
                       "digits. Nothing was written.")};
}

QString MacEntry::show(const Mac& mac) {
    return MacText::format(mac);
}

} // namespace kx
