#include "pro/MacEntry.h"

#include <QRegularExpression>

#include "store/HexText.h"

namespace kx {

Checked<MacEntry::Mac> MacEntry::parse(const QString& text) {
    static const QRegularExpression kBare(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    static const QRegularExpression kSeparated(
        QStringLiteral("^[0-9A-Fa-f]{1,2}(?:(?:[ \\t]*[:-][ \\t]*|[ \\t]+)[0-9A-Fa-f]{1,2}){5}$"));
    static const QRegularExpression kOctet(QStringLiteral("[0-9A-Fa-f]{1,2}"));
    const QString entry = text.trimmed();
    Mac mac{};
    if (kBare.match(entry).hasMatch()) {
        HexText::toBytes(entry.toLatin1(), mac.data(), static_cast<int>(mac.size()));
        return mac;
    }
    if (!kSeparated.match(entry).hasMatch()) {
        return EepromProblem{
            QStringLiteral("MAC Address"),
            QStringLiteral("MAC Address: please enter six hexadecimal bytes separated by blanks, "
                           "colons or hyphens (such as 00 1C 7E 21 02 07), or twelve hexadecimal "
                           "digits. Nothing was written.")};
    }
    std::size_t i = 0;
    for (const QRegularExpressionMatch& m : kOctet.globalMatch(entry))
        mac[i++] = static_cast<std::uint8_t>(m.captured().toUInt(nullptr, 16));
    return mac;
}

QString MacEntry::show(const Mac& mac) {
    return HexText::fromBytes(mac.data(), static_cast<int>(mac.size()), true);
}

} // namespace kx
