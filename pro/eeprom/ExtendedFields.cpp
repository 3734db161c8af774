#include "pro/eeprom/ExtendedFields.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "driver/HexText.h"
#include "pro/eeprom/HexField.h"

namespace kx {

namespace {

constexpr int kNumber16 = 0; // in place of a byte count
constexpr int kRegionLength = 2;
constexpr int kFirstUsbString = 13;

constexpr int kUnlimited = 0;

struct TextField final {
    QString ExtendedFields::*text;
    int record;
    int bytes; // kNumber16 for a 16-bit value
    const char* name;
    int limit; // characters, kUnlimited for none
};

constexpr TextField kTextFields[] = {
    {&ExtendedFields::txSetPoint, 2, 14, "Tx Set Point Value", kUnlimited},
    {&ExtendedFields::txIntegration, 3, 14, "Tx Integration Value", kUnlimited},
    {&ExtendedFields::hardwareVersion, 5, 1, "Hardware Version", 2},
    {&ExtendedFields::allowedChannel, 6, kNumber16, "Allowed Channel", 4},
    {&ExtendedFields::defaultChannel, 7, kNumber16, "Default Channel", 4},
    {&ExtendedFields::serialNumber, 9, 12, "Serial Number", kUnlimited},
    {&ExtendedFields::usbVendorId, 11, kNumber16, "USB Vendor ID", kUnlimited},
    {&ExtendedFields::usbDeviceId, 12, kNumber16, "USB Device ID", kUnlimited},
};

// A record holds something to show from length 2 on.
bool shown(const EepromSettings::Record& r) {
    return r.length >= 2;
}

QString byteList(const EepromSettings::Record& r) {
    return QString::fromLatin1(HexText::fromBytes(
        r.data.data(), static_cast<std::size_t>(std::max(r.length - 1, 0)), true));
}

// The data bytes a field stores, low byte first for 16-bit values.
Checked<std::vector<std::uint8_t>> read(const ExtendedFields& f, const TextField& field) {
    const QString& text = f.*field.text;
    const QString name = QString::fromLatin1(field.name);
    if (field.limit != kUnlimited) {
        if (std::optional<EepromProblem> tooLong = HexField::withinLimit(text, field.limit, name))
            return *tooLong;
    }
    if (field.bytes != kNumber16)
        return HexField::bytes(text, field.bytes, name);
    const Checked<std::uint16_t> value = HexField::number16(text, name);
    if (!value.ok())
        return value.problem();
    return std::vector<std::uint8_t>{static_cast<std::uint8_t>(value.value() & 0xFF),
                                     static_cast<std::uint8_t>(value.value() >> 8)};
}

} // namespace

ExtendedFields ExtendedFields::fromRecords(const EepromSettings::Records& records) {
    ExtendedFields f;
    for (const TextField& field : kTextFields) {
        const EepromSettings::Record& r = records[static_cast<std::size_t>(field.record)];
        if (!shown(r))
            continue;
        f.*field.text =
            field.bytes == kNumber16 ? HexField::show16(r.data[0], r.data[1]) : byteList(r);
    }
    for (std::size_t i = 0; i < f.usbStrings.size(); ++i) {
        const EepromSettings::Record& r = records[kFirstUsbString + i];
        if (shown(r))
            f.usbStrings[i] = byteList(r);
    }
    for (const EepromCodeTable::List list : EepromCodeTable::kLists) {
        const EepromSettings::Record& r =
            records[static_cast<std::size_t>(EepromCodeTable::record(list))];
        if (shown(r))
            f.selection[list] = EepromCodeTable::indexOf(list, r.data[0]);
    }
    return f;
}

std::optional<EepromProblem> ExtendedFields::applyTo(EepromSettings::Records& records) const {
    std::vector<std::vector<std::uint8_t>> values;
    for (const TextField& field : kTextFields) {
        Checked<std::vector<std::uint8_t>> value = read(*this, field);
        if (!value.ok())
            return value.problem();
        values.push_back(value.value());
    }
    for (std::size_t i = 0; i < std::size(kTextFields); ++i) {
        EepromSettings::Record& r = records[static_cast<std::size_t>(kTextFields[i].record)];
        r.length = static_cast<int>(values[i].size()) + 1;
        std::copy(values[i].begin(), values[i].end(), r.data.begin());
    }
    for (const EepromCodeTable::List list : EepromCodeTable::kLists) {
        EepromSettings::Record& r =
            records[static_cast<std::size_t>(EepromCodeTable::record(list))];
        if (list == EepromCodeTable::Region)
            r.length = kRegionLength;
        const int index = selection[list];
        if (index >= 0 && static_cast<std::size_t>(index) < EepromCodeTable::entries(list).size())
            r.data[0] = EepromCodeTable::entries(list)[static_cast<std::size_t>(index)].code;
    }
    return std::nullopt;
}

} // namespace kx
