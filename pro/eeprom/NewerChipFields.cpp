#include "pro/eeprom/NewerChipFields.h"

#include <algorithm>

#include "driver/ExtendedRecordLayout.h"
#include "driver/NewerChipEeprom.h"

namespace kx {

namespace {

template <std::size_t N>
void take(std::array<std::uint8_t, N>& to, const std::uint8_t* bytes, std::size_t size,
          std::size_t offset) {
    for (std::size_t i = 0; i < N; ++i)
        to[i] = offset + i < size ? bytes[offset + i] : std::uint8_t{0xFF};
}

template <std::size_t N>
void putData(EepromSettings::Record& r, const std::array<std::uint8_t, N>& from) {
    std::copy(from.begin(), from.end(), r.data.begin());
}

using Image = NewerChipEeprom;

WLFirmwareRecord record(FirmwareRecordId command, std::size_t entries) {
    WLFirmwareRecord r{};
    r.length = static_cast<std::uint16_t>(entries);
    r.id = static_cast<std::uint16_t>(command);
    return r;
}

// The settings' bytes of an image field (the address comes separately).
const std::uint8_t* source(const EepromSettings& s, Image::Offset offset) {
    using R = ExtendedRecordLayout;
    switch (offset) {
    case Image::TxSetPoint:
        return s.records[R::TxSetPoint].data.data();
    case Image::TxIntegration:
        return s.records[R::TxIntegration].data.data();
    case Image::HardwareVersion:
        return s.records[R::HardwareVersion].data.data();
    case Image::AllowedChannels:
        return s.records[R::ChannelMask].data.data();
    case Image::DefaultChannel:
        return s.records[R::DefaultChannel].data.data();
    case Image::Region:
        return s.records[R::Region].data.data();
    case Image::PciIds:
        return s.pciIds.data();
    case Image::Mac:
        break;
    }
    return nullptr;
}

void putEntries(WLFirmwareRecord& r, std::size_t first, const std::uint8_t* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        r.data[first + i] = bytes[i];
}

} // namespace

NewerChipFields NewerChipFields::decode(const std::uint8_t* bytes, std::size_t size) {
    NewerChipFields f;
    if (bytes == nullptr)
        size = 0;
    take(f.pciIds, bytes, size, Image::PciIds);
    take(f.hardwareVersion, bytes, size, Image::HardwareVersion);
    take(f.txSetPoint, bytes, size, Image::TxSetPoint);
    take(f.txIntegration, bytes, size, Image::TxIntegration);
    take(f.allowedChannels, bytes, size, Image::AllowedChannels);
    take(f.defaultChannel, bytes, size, Image::DefaultChannel);
    take(f.region, bytes, size, Image::Region);
    return f;
}

void NewerChipFields::applyTo(EepromSettings& settings) const {
    EepromSettings::Records& r = settings.records;
    putData(r[2], txSetPoint);
    putData(r[3], txIntegration);
    r[5].length = 2;
    putData(r[5], hardwareVersion);
    r[6].length = 2;
    putData(r[6], allowedChannels);
    r[7].length = 2;
    putData(r[7], defaultChannel);
    putData(r[8], region);
    settings.pciIds = pciIds;
}

std::vector<WLFirmwareRecord> NewerChipFields::commands(const EepromSettings& settings,
                                                        const std::array<std::uint8_t, 6>& mac) {
    std::vector<WLFirmwareRecord> out;
    for (const Image::Field& f : Image::kFields) {
        // Fields of one command share its record.
        if (out.empty() || out.back().id != static_cast<std::uint16_t>(f.command)) {
            const bool power = f.command == FirmwareRecordId::EepromTxPower;
            out.push_back(record(f.command, power ? Image::kTxPowerEntries : f.count));
        }
        WLFirmwareRecord& r = out.back();
        if (f.offset == Image::Mac) {
            // The firmware takes the address bytes sign-extended; it keeps the low byte.
            for (std::size_t i = 0; i < mac.size(); ++i)
                r.data[i] = static_cast<std::uint16_t>(static_cast<std::int8_t>(mac[i]));
        } else {
            putEntries(r, f.firstEntry, source(settings, f.offset), f.count);
        }
    }
    out.push_back(record(FirmwareRecordId::EepromUpdateEnd, 0));
    return out;
}

} // namespace kx
