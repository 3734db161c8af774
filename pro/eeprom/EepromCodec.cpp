#include "pro/eeprom/EepromCodec.h"

#include <algorithm>

#include "adapter/AdapterState.h"
#include "pro/eeprom/CisChain.h"
#include "pro/eeprom/ExtendedRecordChain.h"

namespace kx {

namespace {

constexpr int kMacRecord = 1;

std::size_t areaStart(const EepromImage& image) {
    return static_cast<std::size_t>(std::clamp(image.extendedOffset, 0, EepromImage::kCapacity));
}

} // namespace

EepromSettings EepromCodec::decode(const EepromImage& image, int busKind) {
    EepromSettings settings;
    if (busKind == BusPcmcia)
        settings.tuples = CisChain::decode(image.bytes.data(), image.bytes.size());
    else if (busKind == BusPci)
        std::copy_n(image.bytes.begin(), settings.pciIds.size(), settings.pciIds.begin());
    const std::size_t start = areaStart(image);
    settings.records =
        ExtendedRecordChain::decode(image.bytes.data() + start, image.bytes.size() - start);
    ExtendedRecordChain::applyDefaults(settings.records);
    return settings;
}

EepromCodec::Mac EepromCodec::recordMac(const EepromSettings& settings) {
    Mac mac{};
    const EepromSettings::Record& r = settings.records[kMacRecord];
    std::copy_n(r.data.begin(), mac.size(), mac.begin());
    return mac;
}

Checked<EepromImage> EepromCodec::encode(const EepromSettings& settings, const Mac& mac,
                                         const EepromImage& image, int busKind) {
    EepromSettings s = settings;
    EepromSettings::Record& address = s.records[kMacRecord];
    address.length = static_cast<int>(mac.size()) + 1;
    std::copy(mac.begin(), mac.end(), address.data.begin());

    EepromImage out = image;
    if (busKind == BusPcmcia) {
        CisChain::setNodeId(s.tuples, mac);
        CisChain::Area area;
        if (const std::optional<EepromProblem> problem = CisChain::encode(s.tuples, area))
            return *problem;
        std::copy(area.begin(), area.end(), out.bytes.begin());
    } else if (busKind == BusPci) {
        std::fill_n(out.bytes.begin(), CisChain::kAreaSize, std::uint8_t{0xFF});
        std::copy(s.pciIds.begin(), s.pciIds.end(), out.bytes.begin());
    }
    ExtendedRecordChain::Area area;
    if (const std::optional<EepromProblem> problem =
            ExtendedRecordChain::encode(s.records, busKind == BusUsb, area))
        return *problem;
    const std::size_t start = areaStart(image);
    std::copy_n(area.begin(), std::min(area.size(), out.bytes.size() - start),
                out.bytes.begin() + static_cast<std::ptrdiff_t>(start));
    return out;
}

} // namespace kx
