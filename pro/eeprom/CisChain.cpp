#include "pro/eeprom/CisChain.h"

#include <algorithm>

#include <QStringList>

#include "driver/CisLayout.h"

namespace kx {

namespace {

std::uint8_t byteAt(const std::uint8_t* bytes, std::size_t size, int offset) {
    return static_cast<std::size_t>(offset) < size ? bytes[offset] : std::uint8_t{0xFF};
}

// A tuple at `offset` reads back when its last byte lies before the area's last byte.
bool readsBack(int offset, int link) {
    return offset + link + 2 < CisChain::kAreaSize;
}

} // namespace

EepromSettings::Tuples CisChain::decode(const std::uint8_t* bytes, std::size_t size) {
    EepromSettings::Tuples tuples;
    if (bytes == nullptr)
        size = 0;
    int offset = 0;
    for (EepromSettings::Tuple& tuple : tuples) {
        if (offset >= kAreaSize - 1)
            break;
        const std::uint8_t code = byteAt(bytes, size, offset);
        const std::uint8_t link = byteAt(bytes, size, offset + 1);
        if (!readsBack(offset, link) || code == EepromSettings::kEndCode)
            break;
        tuple.code = code;
        tuple.link = link;
        for (int i = 0; i < link; ++i)
            tuple.data[static_cast<std::size_t>(i)] = byteAt(bytes, size, offset + 2 + i);
        offset += link + 2;
    }
    return tuples;
}

std::optional<EepromProblem> CisChain::encode(const EepromSettings::Tuples& tuples, Area& area) {
    Area out;
    out.fill(0xFF);
    int offset = 0;
    QStringList left;
    for (const EepromSettings::Tuple& tuple : tuples) {
        if (tuple.code == EepromSettings::kEndCode)
            break;
        if (!left.isEmpty() || !readsBack(offset, tuple.link)) {
            left << QStringLiteral("0x") +
                        QString::number(tuple.code, 16).toUpper().rightJustified(2, u'0');
            continue;
        }
        out[static_cast<std::size_t>(offset)] = tuple.code;
        out[static_cast<std::size_t>(offset) + 1] = tuple.link;
        std::copy_n(tuple.data.begin(), tuple.link, out.begin() + offset + 2);
        offset += tuple.link + 2;
    }
    if (!left.isEmpty()) {
        return EepromProblem{
            QStringLiteral("PCMCIA Card Information Structure"),
            QStringLiteral("The card information structure does not fit into its 256 bytes: "
                           "%1 %2 would be left out. Nothing was written.")
                .arg(left.size() == 1 ? QStringLiteral("tuple") : QStringLiteral("tuples"),
                     left.join(QStringLiteral(", ")))};
    }
    area = out;
    return std::nullopt;
}

void CisChain::setNodeId(EepromSettings::Tuples& tuples, const std::array<std::uint8_t, 6>& mac) {
    for (EepromSettings::Tuple& tuple : tuples) {
        if (tuple.code == EepromSettings::kEndCode)
            return;
        if (tuple.code == CisLayout::FunctionExtension && tuple.link == CisLayout::kNodeIdLink &&
            tuple.data[0] == CisLayout::kLanNodeId && tuple.data[1] == CisLayout::kNodeIdLength) {
            std::copy(mac.begin(), mac.end(), tuple.data.begin() + 2);
            return;
        }
    }
}

} // namespace kx
