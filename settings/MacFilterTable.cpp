#include "settings/MacFilterTable.h"

#include <algorithm>

#include "driver/MacText.h"

namespace kx {

MacFilterTable MacFilterTable::decode(const Bytes& bytes) {
    MacFilterTable table;
    const std::vector<SlotTable::Slot> entries = SlotTable::decode(bytes);
    std::copy(entries.begin(), entries.end(), table.m_entries.begin());
    return table;
}

MacFilterTable::Bytes MacFilterTable::encode() const {
    Bytes bytes{};
    SlotTable::encode(m_entries, bytes);
    return bytes;
}

QStringList MacFilterTable::texts() const {
    QStringList texts;
    for (const SlotTable::Slot& entry : m_entries)
        texts << (entry.inUse ? QString::fromLatin1(MacText::format(entry.mac)) : QString());
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
        SlotTable::Slot& entry = table.m_entries[static_cast<std::size_t>(i)];
        entry.mac = *mac;
        entry.inUse = std::any_of(mac->begin(), mac->end(), [](std::uint8_t b) { return b != 0; });
    }
    return table;
}

std::optional<MacFilterTable::Mac> MacFilterTable::parseEntry(const QString& text) {
    if (text.trimmed().isEmpty())
        return Mac{};
    return MacText::parse(text.toStdString());
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
