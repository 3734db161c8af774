#include "settings/MacFilterTable.h"

#include <algorithm>

#include "store/MacText.h"

namespace kx {

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
        texts << (entry.inUse ? MacText::format(entry.mac) : QString());
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
    if (text.trimmed().isEmpty())
        return Mac{};
    return MacText::parse(text);
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
