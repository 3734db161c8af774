#include "settings/MacFilterTable.h"

#include <algorithm>

#include <QRegularExpression>

#include "store/HexText.h"

namespace kx {

namespace {

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

bool allHex(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return hexValue(c) >= 0; });
}

// Octets as the user wrote them: twelve digits in a row, or groups between separators.
QList<QStringView> octets(QStringView text) {
    constexpr int kDigitsInARow = 2 * MacFilterTable::kMacBytes;
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

MacFilterTable MacFilterTable::decode(const Bytes& bytes) {
    MacFilterTable table;
    for (int i = 0; i < kEntries; ++i) {
        const auto at = bytes.begin() + i * kEntryBytes;
        Entry& entry = table.m_entries[static_cast<std::size_t>(i)];
        entry.inUse = *at != 0;
        std::copy_n(at + 1, kMacBytes, entry.mac.begin());
    }
    return table;
}

MacFilterTable::Bytes MacFilterTable::encode() const {
    Bytes bytes{};
    for (int i = 0; i < kEntries; ++i) {
        const Entry& entry = m_entries[static_cast<std::size_t>(i)];
        const auto at = bytes.begin() + i * kEntryBytes;
        *at = entry.inUse ? 1 : 0;
        std::copy(entry.mac.begin(), entry.mac.end(), at + 1);
    }
    return bytes;
}

QStringList MacFilterTable::texts() const {
    QStringList texts;
    for (const Entry& entry : m_entries)
        texts << (entry.inUse ? HexText::fromBytes(entry.mac.data(), kMacBytes, true) : QString());
    return texts;
}

std::optional<MacFilterTable> MacFilterTable::fromTexts(const QStringList& texts, int& badEntry) {
    MacFilterTable table;
    for (int i = 0; i < kEntries; ++i) {
        const std::optional<Mac> mac = parseEntry(texts.value(i));
        if (!mac) {
            badEntry = i;
            return std::nullopt;
        }
        Entry& entry = table.m_entries[static_cast<std::size_t>(i)];
        entry.mac = *mac;
        entry.inUse = std::any_of(mac->begin(), mac->end(), [](std::uint8_t b) { return b != 0; });
    }
    return table;
}

std::optional<MacFilterTable::Mac> MacFilterTable::parseEntry(const QString& text) {
    const QString trimmed = text.trimmed();
    Mac mac{};
    if (trimmed.isEmpty())
        return mac;
    const QList<QStringView> groups = octets(trimmed);
    if (groups.size() != kMacBytes)
        return std::nullopt;
    for (int i = 0; i < kMacBytes; ++i) {
        const QStringView group = groups[i];
        if (group.isEmpty() || group.size() > 2 || !allHex(group))
            return std::nullopt;
        int value = 0;
        for (const QChar c : group)
            value = value * 16 + hexValue(c);
        mac[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
    }
    return mac;
}

QString MacFilterTable::entryLabel(int entry) {
    return QStringLiteral("%1.").arg(entry, 2, 10, QLatin1Char('0'));
}

QString MacFilterTable::entryError(int entry) {
    return QStringLiteral("Entry %1 is not a MAC address.\nWrite it as six two-digit hexadecimal "
                          "numbers, for example 00 16 3E 11 22 33, or empty the box to remove "
                          "the entry.")
        .arg(entryLabel(entry));
}

} // namespace kx
