#include "kx02app/EepromBuilder.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "driver/CisLayout.h"
#include "driver/ExtendedRecordLayout.h"
#include "driver/NewerChipEeprom.h"
#include "kx02app/ExtendedRecords.h"

namespace kx::sim {

namespace {

constexpr std::uint16_t kVendor = 0x1C7E;
constexpr std::uint16_t kUsbVendor = 0x1D5A;
constexpr std::uint16_t kUsbProduct = 0x3101;
constexpr std::uint8_t kSetPoint = 0x2B;
constexpr std::uint8_t kIntegration = 0xE5;
constexpr std::uint8_t kDefaultChannel = 6;
constexpr std::uint8_t kRegionUsa = 0x10;
constexpr std::uint8_t kHardwareVersion = 0x10;
constexpr std::uint8_t kRfModule = 0x03;
constexpr std::uint8_t kPaType = 0x01;

void putLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::vector<std::uint8_t> le16(std::uint16_t value) {
    std::vector<std::uint8_t> out;
    putLe16(out, value);
    return out;
}

std::vector<std::uint8_t> usbString(std::string_view text, std::size_t size) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(2 + 2 * text.size()), 0x03};
    for (char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    out.resize(size, 0);
    return out;
}

void putTuple(std::vector<std::uint8_t>& image, int& pos, std::uint8_t code,
              const std::vector<std::uint8_t>& data) {
    image[static_cast<std::size_t>(pos)] = code;
    image[static_cast<std::size_t>(pos + 1)] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), image.begin() + pos + 2);
    pos += static_cast<int>(data.size()) + 2;
}

// The version tuple as the card editor writes it: link 80, version 5.0, four strings.
std::vector<std::uint8_t> versionTuple() {
    std::vector<std::uint8_t> data{0x05, 0x00};
    for (std::string_view s : {"Tolva", "KX3101 WLAN Card", "Version 01.00", ""}) {
        data.insert(data.end(), s.begin(), s.end());
        data.push_back(0);
    }
    data.resize(80, 0);
    data[79] = 0xFF;
    return data;
}

void writeCardInformation(std::vector<std::uint8_t>& image, const MacBytes& mac) {
    int pos = 0;
    putTuple(image, pos, CisLayout::Version, versionTuple());
    std::vector<std::uint8_t> manufacturer;
    putLe16(manufacturer, kVendor);
    putLe16(manufacturer, 0x3101);
    putTuple(image, pos, CisLayout::ManufacturerId, manufacturer);
    putTuple(image, pos, CisLayout::FunctionId, {0x06, 0x00}); // function: network adapter
    const CisLayout::ConfigPattern& config = CisLayout::kConfig3_3Volt;
    putTuple(image, pos, CisLayout::Config, {config.begin(), config.end()});
    std::vector<std::uint8_t> node(CisLayout::kNodeIdLink);
    node[0] = CisLayout::kLanNodeId;
    node[1] = CisLayout::kNodeIdLength;
    std::copy(mac.begin(), mac.end(), node.begin() + 2);
    putTuple(image, pos, CisLayout::FunctionExtension, node);
    image[static_cast<std::size_t>(pos)] = CisLayout::End;
}

void writeNewerChipFields(std::vector<std::uint8_t>& image, const MacBytes& mac) {
    using B = NewerChipEeprom;
    image[B::HardwareVersion] = kHardwareVersion;
    image[B::HardwareVersion + 1] = 0x00;
    std::copy(mac.begin(), mac.end(), image.begin() + B::Mac);
    std::fill_n(image.begin() + B::TxSetPoint, B::kSetPointBytes, kSetPoint);
    std::fill_n(image.begin() + B::TxIntegration, B::kSetPointBytes, kIntegration);
    image[B::AllowedChannels] = 0xFF;
    image[B::AllowedChannels + 1] = 0x3F;
    image[B::DefaultChannel] = kDefaultChannel;
    image[B::DefaultChannel + 1] = 0x00;
    image[B::Region] = kRegionUsa;
    image[B::Region + 1] = 0x00;
}

void writeExtendedRecords(std::vector<std::uint8_t>& image, const AdapterModel& model,
                          const MacBytes& mac, std::uint16_t channelMask) {
    int pos = model.extendedOffset();
    const std::vector<std::uint8_t> serial{0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
                                           0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B};
    using R = ExtendedRecordLayout;
    const std::size_t setPoints = NewerChipEeprom::kSetPointBytes;
    ExtendedRecords::put(image, pos, R::MacAddress, mac);
    ExtendedRecords::put(image, pos, R::TxSetPoint,
                         std::vector<std::uint8_t>(setPoints, kSetPoint));
    ExtendedRecords::put(image, pos, R::TxIntegration,
                         std::vector<std::uint8_t>(setPoints, kIntegration));
    ExtendedRecords::put(image, pos, R::HardwareVersion,
                         std::vector<std::uint8_t>{kHardwareVersion});
    ExtendedRecords::put(image, pos, R::ChannelMask, le16(channelMask));
    ExtendedRecords::put(image, pos, R::DefaultChannel, le16(kDefaultChannel));
    ExtendedRecords::put(image, pos, R::Region, std::vector<std::uint8_t>{kRegionUsa});
    ExtendedRecords::put(image, pos, 9, serial);
    ExtendedRecords::put(image, pos, 10, std::vector<std::uint8_t>{kRfModule});
    if (model.bus() == BusUsb) {
        ExtendedRecords::put(image, pos, 11, le16(kUsbVendor));
        ExtendedRecords::put(image, pos, 12, le16(kUsbProduct));
        ExtendedRecords::put(image, pos, 13,
                             std::vector<std::uint8_t>{0x04, 0x03, 0x09, 0x04, 0, 0, 0, 0, 0, 0});
        ExtendedRecords::put(image, pos, 14, usbString("Tolva ", 20));
        ExtendedRecords::put(image, pos, 15, usbString("USB WLAN", 20));
    }
    ExtendedRecords::put(image, pos, 16, std::vector<std::uint8_t>{kPaType});
    ExtendedRecords::putEnd(image, pos);
}

} // namespace

std::vector<std::uint8_t> EepromBuilder::build(const AdapterModel& model, const MacBytes& mac,
                                               std::uint16_t channelMask) {
    std::vector<std::uint8_t> image(static_cast<std::size_t>(model.eepromSize()), 0xFF);
    switch (model.bus()) {
    case BusPcmcia:
        writeCardInformation(image, mac);
        break;
    case BusPci: {
        // Subsystem device ID, then subsystem vendor ID, each low byte first.
        const std::vector<std::uint8_t> ids{
            model.newerChip() ? std::uint8_t{0x02} : std::uint8_t{0x01},
            model.newerChip() ? std::uint8_t{0x21} : std::uint8_t{0x31}, kVendor & 0xFF,
            kVendor >> 8};
        std::copy(ids.begin(), ids.end(), image.begin());
        if (model.newerChip())
            writeNewerChipFields(image, mac);
        break;
    }
    case BusUsb: {
        const std::vector<std::uint8_t> ids{kUsbVendor & 0xFF, kUsbVendor >> 8, kUsbProduct & 0xFF,
                                            kUsbProduct >> 8};
        std::copy(ids.begin(), ids.end(), image.begin());
        break;
    }
    case BusNone:
        break;
    }
    writeExtendedRecords(image, model, mac, channelMask);
    return image;
}

std::optional<MacBytes> EepromBuilder::macFrom(std::span<const std::uint8_t> image,
                                               const AdapterModel& model) {
    MacBytes mac{};
    if (model.newerChip()) {
        if (image.size() < NewerChipEeprom::Mac + mac.size())
            return std::nullopt;
        std::copy_n(image.begin() + NewerChipEeprom::Mac, mac.size(), mac.begin());
        return mac;
    }
    const std::vector<std::uint8_t> data =
        ExtendedRecords::find(image, model.extendedOffset(), ExtendedRecordLayout::MacAddress);
    if (data.size() < 6)
        return std::nullopt;
    std::copy_n(data.begin(), 6, mac.begin());
    return mac;
}

std::vector<std::uint8_t> EepromBuilder::txSetPoint(std::span<const std::uint8_t> image,
                                                    const AdapterModel& model) {
    constexpr auto kFrom = NewerChipEeprom::TxSetPoint;
    constexpr auto kBytes = NewerChipEeprom::kSetPointBytes;
    if (model.newerChip())
        return {image.begin() + kFrom, image.begin() + kFrom + kBytes};
    std::vector<std::uint8_t> data =
        ExtendedRecords::find(image, model.extendedOffset(), ExtendedRecordLayout::TxSetPoint);
    data.resize(kBytes, 0);
    return data;
}

} // namespace kx::sim
