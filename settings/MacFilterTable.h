#pragma once
// The access point's MAC address filter table as the filter dialog shows and edits it:
// sixteen entries of an in-use byte and six address bytes, 112 bytes in all. An entry
// in use reads as six two-digit upper-case octets with single blanks; an unused one as
// an empty box.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>

#include "driver/MacText.h"
#include "driver/ObjectLayouts.h"

namespace kx {

class MacFilterTable final {
public:
    static constexpr int kEntries = WL_FILTER_ENTRIES;
    static constexpr int kBytes = WL_FILTER_TABLE_BYTES;
    using Bytes = std::array<std::uint8_t, kBytes>;
    using Mac = MacText::Mac;

    static MacFilterTable decode(const Bytes& bytes);
    Bytes encode() const;

    // One text per entry, in entry order.
    QStringList texts() const;
    // The table the sixteen boxes hold, in entry order (missing boxes count as empty).
    // On the first box whose text is no address: nullopt, with its index in `badEntry`.
    static std::optional<MacFilterTable> fromTexts(const QStringList& texts, int& badEntry);

    // What a box may hold: six octets of one or two hex digits separated by blanks,
    // colons or hyphens, or twelve digits in a row; surrounding blanks are ignored.
    // An empty box gives the all-zero address, which marks the entry unused. Anything
    // else is no address.
    static std::optional<Mac> parseEntry(const QString& text);

    // The label and accessible name of an entry's box: "00." .. "15.".
    static QString entryLabel(int entry);
    // The message that refuses a box whose text is no address, naming the box.
    static QString entryError(int entry);

private:
    std::array<SlotTable::Slot, kEntries> m_entries{};
};

} // namespace kx
