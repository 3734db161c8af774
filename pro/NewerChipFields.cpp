#include "pro/NewerChipFields.h"

#include <algorithm>

namespace kx {

namespace {

enum Offset : std::size_t {
    PciIdBytes = 0x00,
    HardwareVersionBytes = 0x06,
    TxSetPointBytes = 0x10,
    TxIntegrationBytes = 0x20,
    AllowedChannelBytes = 0x30,
    DefaultChannelBytes = 0x32,
    RegionBytes = 0x60
};
constexpr std::size_t kIntegrationEntry = 16; // within the power command record

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

WLFirmwareRecord record(std::uint16_t command, std::uint16_t entries) {
    WLFirmwareRecord r{};
    r.length = entries;
    r.id = command;
    return r;
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
    take(f.pciIds, bytes, size, PciIdBytes);
    take(f.hardwareVersion, bytes, size, HardwareVersionBytes);
    take(f.txSetPoint, bytes, size, TxSetPointBytes);
    take(f.txIntegration, bytes, size, TxIntegrationBytes);
    take(f.allowedChannels, bytes, size, AllowedChannelBytes);
    take(f.defaultChannel, bytes, size, DefaultChannelBytes);
    take(f.region, bytes, size, RegionBytes);
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
    const EepromSettings::Records& r = settings.records;
    std::vector<WLFirmwareRecord> out;
    WLFirmwareRecord address = record(MacAddress, 6);
    // The firmware takes the address bytes sign-extended; it keeps the low byte.
    for (std::size_t i = 0; i < mac.size(); ++i)
        address.data[i] = static_cast<std::uint16_t>(static_cast<std::int8_t>(mac[i]));
    out.push_back(address);
    WLFirmwareRecord power = record(TxPower, 32);
    putEntries(power, 0, r[2].data.data(), 14);
    putEntries(power, kIntegrationEntry, r[3].data.data(), 14);
    out.push_back(power);
    const struct {
        Command command;
        int id;
        std::uint16_t entries;
    } kSmallFields[] = {
        {HardwareVersion, 5, 2}, {AllowedChannels, 6, 2}, {DefaultChannel, 7, 2}, {Region, 8, 1}};
    for (const auto& f : kSmallFields) {
        WLFirmwareRecord field = record(f.command, f.entries);
        putEntries(field, 0, r[static_cast<std::size_t>(f.id)].data.data(), f.entries);
        out.push_back(field);
    }
    WLFirmwareRecord ids = record(PciIds, 4);
    putEntries(ids, 0, settings.pciIds.data(), 4);
    out.push_back(ids);
    out.push_back(record(UpdateEnd, 0));
    return out;
}

} // namespace kx
