// What a person types into the EEPROM page and its editors: an address or a value is
// read exactly as it is shown again, or refused; never half read.
#include <cstddef>
#include <cstdint>

#include <QString>

#include "fuzz/FuzzCheck.h"
#include "pro/eeprom/HexField.h"
#include "pro/eeprom/MacEntry.h"
#include "pro/eeprom/PciFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int count = data[0] % 20 + 1;
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1),
                                             static_cast<qsizetype>(size - 1));
    const QString field = QStringLiteral("Field");

    const kx::Checked<kx::MacEntry::Mac> mac = kx::MacEntry::parse(text);
    if (mac.ok())
        KX_FUZZ_CHECK(kx::MacEntry::parse(kx::MacEntry::show(mac.value())).value() == mac.value());

    const kx::Checked<std::vector<std::uint8_t>> bytes = kx::HexField::bytes(text, count, field);
    if (bytes.ok())
        KX_FUZZ_CHECK(bytes.value().size() == static_cast<std::size_t>(count));
    else
        KX_FUZZ_CHECK(bytes.problem().field == field);

    const kx::Checked<std::uint16_t> number = kx::HexField::number16(text, field);
    if (number.ok()) {
        const QString shown = kx::HexField::show16(number.value() & 0xFF, number.value() >> 8);
        KX_FUZZ_CHECK(kx::HexField::number16(shown, field).value() == number.value());
    }

    kx::PciFields::Ids ids{1, 2, 3, 4};
    const kx::PciFields::Ids before = ids;
    if (kx::PciFields{text, text}.applyTo(ids).has_value())
        KX_FUZZ_CHECK(ids == before);
    return 0;
}
