// The extended ID-data records of any EEPROM area: decoding stays within the area and
// the record slots, and what is written reads back as the same records, or is refused
// whole.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "pro/eeprom/ExtendedFields.h"
#include "pro/eeprom/ExtendedRecordChain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kx::ExtendedRecordChain;
    if (size == 0)
        return 0;
    const bool usb = (data[0] & 1) != 0;
    kx::EepromSettings::Records records = ExtendedRecordChain::decode(data + 1, size - 1);
    for (const kx::EepromSettings::Record& r : records)
        KX_FUZZ_CHECK(r.length == 0 || (r.length >= 2 && r.length <= 80));
    ExtendedRecordChain::applyDefaults(records);

    ExtendedRecordChain::Area area;
    area.fill(0xA5);
    const ExtendedRecordChain::Area untouched = area;
    if (ExtendedRecordChain::encode(records, usb, area).has_value()) {
        KX_FUZZ_CHECK(area == untouched);
    } else {
        const kx::EepromSettings::Records again =
            ExtendedRecordChain::decode(area.data(), area.size());
        for (int id = 1; id <= ExtendedRecordChain::kLastId; ++id) {
            const auto i = static_cast<std::size_t>(id);
            if (ExtendedRecordChain::usbOnly(id) && !usb)
                KX_FUZZ_CHECK(again[i].length == 0);
            else
                KX_FUZZ_CHECK(again[i] == records[i]);
        }
    }

    // What the editor shows of odd records may be refused, never stored in part.
    kx::EepromSettings::Records edited = records;
    if (kx::ExtendedFields::fromRecords(records).applyTo(edited).has_value())
        KX_FUZZ_CHECK(edited == records);
    return 0;
}
