#include "pro/eeprom/CisFields.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "driver/CisLayout.h"
#include "pro/eeprom/HexField.h"

namespace kx {

namespace {

void putLe16(EepromSettings::Tuple& t, std::size_t at, std::uint16_t value) {
    t.data[at] = static_cast<std::uint8_t>(value & 0xFF);
    t.data[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// The manufacturer ID fields hold four characters.
Checked<std::uint16_t> code16(const QString& text, const QString& field) {
    constexpr int kLimit = 4;
    if (std::optional<EepromProblem> tooLong = HexField::withinLimit(text, kLimit, field))
        return *tooLong;
    return HexField::number16(text, field);
}

} // namespace

CisFields CisFields::fromTuples(const EepromSettings::Tuples& tuples) {
    CisFields f;
    for (const EepromSettings::Tuple& t : tuples) {
        if (t.code == EepromSettings::kEndCode)
            break;
        if (t.code == VersionTuple::kCode) {
            const auto names = VersionTuple::decode(t.data.data(), t.link);
            for (std::size_t i = 0; i < names.size(); ++i)
                f.names[i] =
                    QString::fromLatin1(names[i].data(), static_cast<qsizetype>(names[i].size()));
        } else if (t.code == CisLayout::Config) {
            const bool other = t.link == CisLayout::kConfigLink &&
                               !std::equal(CisLayout::kConfig3_3Volt.begin(),
                                           CisLayout::kConfig3_3Volt.end(), t.data.begin());
            f.voltage = f.readVoltage = other ? FiveVolt : ThreeVolt;
        } else if (t.code == CisLayout::ManufacturerId) {
            f.manufacturer = HexField::show16(t.data[0], t.data[1]);
            f.card = HexField::show16(t.data[2], t.data[3]);
        }
    }
    return f;
}

std::optional<EepromProblem> CisFields::applyTo(EepromSettings::Tuples& tuples) const {
    const Checked<std::uint16_t> manf = code16(manufacturer, QStringLiteral("TPLMID_MANF"));
    if (!manf.ok())
        return manf.problem();
    const Checked<std::uint16_t> cardCode = code16(card, QStringLiteral("TPLMID_CARD"));
    if (!cardCode.ok())
        return cardCode.problem();
    const Checked<VersionTuple::Data> version = VersionTuple::encode(names);
    if (!version.ok())
        return version.problem();

    for (EepromSettings::Tuple& t : tuples) {
        if (t.code == EepromSettings::kEndCode)
            break;
        if (t.code == VersionTuple::kCode) {
            t.link = VersionTuple::kLink;
            std::copy(version.value().begin(), version.value().end(), t.data.begin());
        } else if (t.code == CisLayout::Config && voltage != NoVoltage && voltage != readVoltage) {
            const CisLayout::ConfigPattern& pattern =
                voltage == FiveVolt ? CisLayout::kConfig5Volt : CisLayout::kConfig3_3Volt;
            t.link = CisLayout::kConfigLink;
            std::copy(pattern.begin(), pattern.end(), t.data.begin());
        } else if (t.code == CisLayout::ManufacturerId) {
            t.link = CisLayout::kManufacturerLink;
            putLe16(t, 0, manf.value());
            putLe16(t, 2, cardCode.value());
        }
    }
    return std::nullopt;
}

} // namespace kx
