#include "pro/eeprom/PciFields.h"

#include <vector>

#include "pro/eeprom/HexField.h"

namespace kx {

PciFields PciFields::fromIds(const Ids& ids) {
    return {HexField::show16(ids[2], ids[3]), HexField::show16(ids[0], ids[1])};
}

std::optional<EepromProblem> PciFields::applyTo(Ids& ids) const {
    const Checked<std::vector<std::uint8_t>> v =
        HexField::bytes(vendor, 2, QStringLiteral("Vendor ID"));
    if (!v.ok())
        return v.problem();
    const Checked<std::vector<std::uint8_t>> d =
        HexField::bytes(device, 2, QStringLiteral("Device ID"));
    if (!d.ok())
        return d.problem();
    ids = {d.value()[1], d.value()[0], v.value()[1], v.value()[0]};
    return std::nullopt;
}

} // namespace kx
