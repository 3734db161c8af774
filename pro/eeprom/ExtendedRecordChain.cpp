#include "pro/eeprom/ExtendedRecordChain.h"

#include <algorithm>
#include <initializer_list>

#include <QStringList>

namespace kx {

namespace {

constexpr int kMinLength = ExtendedRecordLayout::kMinLength;
constexpr int kMaxLength = ExtendedRecordLayout::kMaxLength;
constexpr std::array<std::uint8_t, 4> kEndRecord = ExtendedRecordLayout::kEndRecord;

struct Default final {
    int id;
    std::initializer_list<std::uint8_t> data;
};

// Fixed address of a card whose EEPROM never held one.
const Default kDefaults[] = {
    {0, {0x00, 0x00}},
    {1, {0x00, 0x1C, 0x7E, 0x00, 0x00, 0x01}},
    {2, {0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B}},
    {3, {0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5, 0xE5}},
    {5, {0x10}},
    {6, {0xFF, 0x3F}},
    {7, {0x00, 0x04}},
    {8, {0x10}},
    {9, {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B}},
    {10, {0x03}},
    {11, {0x5A, 0x1D}},
    {12, {0x01, 0x31}},
    {13, {0x04, 0x03, 0x09, 0x04, 0, 0, 0, 0, 0, 0}},
    // String descriptors: length, type 3, the text in UTF-16LE, zero padding.
    {14, {0x0E, 0x03, 'T', 0, 'o', 0, 'l', 0, 'v', 0, 'a', 0, ' ', 0, 0, 0, 0, 0, 0, 0}},
    {15, {0x12, 0x03, 'U', 0, 'S', 0, 'B', 0, ' ', 0, 'W', 0, 'L', 0, 'A', 0, 'N', 0, 0, 0}},
    {16, {0x01}},
};

std::uint8_t byteAt(const std::uint8_t* bytes, std::size_t size, int offset) {
    return static_cast<std::size_t>(offset) < size ? bytes[offset] : std::uint8_t{0xFF};
}

bool writable(const EepromSettings::Record& r) {
    return r.length >= kMinLength && r.length <= kMaxLength;
}

} // namespace

EepromSettings::Records ExtendedRecordChain::decode(const std::uint8_t* bytes, std::size_t size) {
    EepromSettings::Records records;
    if (bytes == nullptr)
        size = 0;
    int offset = 0;
    while (offset < kAreaSize - 2) {
        const int length = byteAt(bytes, size, offset);
        const int id = byteAt(bytes, size, offset + 1);
        if (offset + length + 2 >= kAreaSize || id > kLastId || length < kMinLength ||
            length > kMaxLength)
            break;
        EepromSettings::Record& r = records[static_cast<std::size_t>(id)];
        r.length = length;
        r.data.fill(0);
        for (int i = 0; i < length - 1; ++i)
            r.data[static_cast<std::size_t>(i)] = byteAt(bytes, size, offset + 2 + i);
        offset += length + 1;
        if (id == 0)
            break;
    }
    return records;
}

void ExtendedRecordChain::applyDefaults(EepromSettings::Records& records) {
    for (const Default& d : kDefaults) {
        EepromSettings::Record& r = records[static_cast<std::size_t>(d.id)];
        if (r.length != 0)
            continue;
        r.length = static_cast<int>(d.data.size()) + 1;
        r.data.fill(0);
        std::copy(d.data.begin(), d.data.end(), r.data.begin());
    }
}

std::optional<EepromProblem> ExtendedRecordChain::encode(const EepromSettings::Records& records,
                                                         bool usb, Area& area) {
    Area out;
    out.fill(0xFF);
    int offset = 0;
    QStringList left;
    for (int id = 1; id <= kLastId; ++id) {
        const EepromSettings::Record& r = records[static_cast<std::size_t>(id)];
        if ((usbOnly(id) && !usb) || !writable(r))
            continue;
        // Each record takes L+1 bytes; the end record must still follow inside the area.
        if (!left.isEmpty() ||
            offset + r.length + 1 + static_cast<int>(kEndRecord.size()) > kAreaSize) {
            left << QString::number(id);
            continue;
        }
        out[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(r.length);
        out[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(id);
        std::copy_n(r.data.begin(), r.length - 1, out.begin() + offset + 2);
        offset += r.length + 1;
    }
    if (!left.isEmpty()) {
        return EepromProblem{
            QStringLiteral("Extended EEPROM Data"),
            QStringLiteral("The extended EEPROM data does not fit into its 256 bytes: %1 %2 "
                           "would be left out. Nothing was written.")
                .arg(left.size() == 1 ? QStringLiteral("record") : QStringLiteral("records"),
                     left.join(QStringLiteral(", ")))};
    }
    std::copy(kEndRecord.begin(), kEndRecord.end(), out.begin() + offset);
    area = out;
    return std::nullopt;
}

} // namespace kx
