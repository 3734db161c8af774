// Whole EEPROM images of every bus kind and both chips: any content decodes into
// settings, and an image rebuilt from them carries the address that was written.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "adapter/AdapterState.h"
#include "fuzz/FuzzCheck.h"
#include "pro/eeprom/EepromCodec.h"
#include "pro/eeprom/NewerChipFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int bus = data[0] % 3 + kx::BusPcmcia;
    kx::EepromImage image;
    image.length = bus == kx::BusUsb ? 2048 : 512;
    image.extendedOffset = bus == kx::BusUsb ? 1792 : 256;
    const std::size_t taken = std::min(size - 1, static_cast<std::size_t>(image.length));
    std::copy_n(data + 1, taken, image.bytes.begin());

    kx::EepromSettings settings = kx::EepromCodec::decode(image, bus);
    const kx::EepromCodec::Mac mac{0x02, 0x00, 0x5E, data[0], 0x10, 0xFE};
    const kx::Checked<kx::EepromImage> rebuilt = kx::EepromCodec::encode(settings, mac, image, bus);
    if (rebuilt.ok()) {
        const kx::EepromSettings again = kx::EepromCodec::decode(rebuilt.value(), bus);
        KX_FUZZ_CHECK(kx::EepromCodec::recordMac(again) == mac);
        // Only the two areas of the settings change.
        KX_FUZZ_CHECK(std::equal(image.bytes.begin() + image.length, image.bytes.end(),
                                 rebuilt.value().bytes.begin() + image.length));
    }

    kx::NewerChipFields::decode(image.bytes.data(), taken).applyTo(settings);
    for (const WLFirmwareRecord& r : kx::NewerChipFields::commands(settings, mac))
        KX_FUZZ_CHECK(r.length <= 32);
    return 0;
}
