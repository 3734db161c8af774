#include "store/MacText.h"

#include <algorithm>

#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include "store/HexText.h"

namespace kx {

namespace {

bool allHex(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return HexText::digit(c) >= 0; });
}

// Octets as the person wrote them: twelve digits in a row, or groups between separators.
QList<QStringView> octets(QStringView text) {
    constexpr int kDigitsInARow = 12;
    QList<QStringView> groups;
    if (text.size() == kDigitsInARow && allHex(text)) {
        for (int i = 0; i < kDigitsInARow; i += 2)
            groups << text.mid(i, 2);
        return groups;
    }
    static const QRegularExpression separator(QStringLiteral("\\s*[:-]\\s*|\\s+"));
    return text.split(separator);
}

} // namespace

QString MacText::format(const std::uint8_t* mac6) {
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QStringLiteral("%1").arg(mac6[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

QString MacText::formatForPrograms(const Mac& mac) {
    QStringList parts;
    for (const std::uint8_t octet : mac)
        parts << QStringLiteral("%1").arg(octet, 2, 16, QLatin1Char('0'));
    return parts.join(u':');
}

std::optional<MacText::Mac> MacText::parse(const QString& text) {
    const QList<QStringView> groups = octets(QStringView(text).trimmed());
    Mac mac{};
    if (groups.size() != static_cast<qsizetype>(mac.size()))
        return std::nullopt;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const QStringView group = groups[static_cast<qsizetype>(i)];
        if (group.isEmpty() || group.size() > 2 || !allHex(group))
            return std::nullopt;
        int value = 0;
        for (const QChar c : group)
            value = value * 16 + HexText::digit(c);
        mac[i] = static_cast<std::uint8_t>(value);
    }
    return mac;
}

} // namespace kx
