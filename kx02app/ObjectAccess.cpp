#include "kx02app/ObjectAccess.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "driver/DriverCodes.h"
#include "driver/NewerChipEeprom.h"
#include "driver/ObjectLayouts.h"
#include "driver/kx02app.h"
#include "kx02app/SimAdapter.h"

namespace kx::sim {

namespace {

constexpr std::uint32_t kOldDebugRoomWords = WL_OLD_DEBUG_REPLY_WORDS;

struct ObjectSize {
    std::uint32_t oid;
    std::int32_t bytes;
};
constexpr std::array<ObjectSize, 8> kSizes{{{WL_OID_CURRENT_ADDRESS, WL_MAC_BYTES},
                                            {WL_OID_FIRMWARE_RECORD, sizeof(WLFirmwareRecord)},
                                            {WL_OID_TEST_COMMAND, sizeof(WLTestCommand)},
                                            {WL_OID_MEMORY_WRITE, sizeof(WLMemoryRequest)},
                                            {WL_OID_MEMORY_READ, sizeof(WLMemoryRequest)},
                                            {WL_OID_OLD_DEBUG, sizeof(WLOldDebugRequest)},
                                            {WL_OID_AP_SSID, sizeof(WLApSsid)},
                                            {WL_OID_DEBUG_TALLY, WL_TALLY_BYTES}}};

std::uint32_t word(const void* buffer, std::size_t index) {
    std::uint32_t value = 0;
    std::memcpy(&value, static_cast<const std::uint8_t*>(buffer) + 4 * index, sizeof value);
    return value;
}

void putWord(void* buffer, std::size_t index, std::uint32_t value) {
    std::memcpy(static_cast<std::uint8_t*>(buffer) + 4 * index, &value, sizeof value);
}

std::int32_t testCommand(SimAdapter& adapter, void* buffer) {
    WLTestCommand command{};
    std::memcpy(&command, buffer, sizeof command);
    RfTestState& rf = adapter.rf();
    RegisterFile& registers = adapter.registers();
    switch (TestCommandCode{command.command}) {
    case TestCommandCode::ContinuousTx:
        if (adapter.testTransmission(command.value, command.extra) != 0)
            return -1;
        break;
    case TestCommandCode::PaGainStep:
        registers.setPaGain(registers.paGain() + static_cast<std::int16_t>(command.value));
        command.value = static_cast<std::uint16_t>(registers.paGain());
        break;
    case TestCommandCode::TestRate:
        if (adapter.setTestRate(command.value) != 0)
            return -1;
        break;
    case TestCommandCode::TxPowerRead:
        command.value = static_cast<std::uint16_t>(adapter.txPower());
        break;
    case TestCommandCode::PaGainRead:
        command.value = static_cast<std::uint16_t>(registers.paGain());
        break;
    case TestCommandCode::Doze:
        rf.dozing = 1;
        break;
    default:
        return -1;
    }
    std::memcpy(buffer, &command, sizeof command);
    return 0;
}

std::int32_t eepromCommand(SimAdapter& adapter, const WLFirmwareRecord& record) {
    if (FirmwareRecordId{record.id} == FirmwareRecordId::EepromUpdateEnd)
        return 0;
    std::vector<std::uint8_t> image = adapter.eeprom();
    bool known = false;
    for (const NewerChipEeprom::Field& f : NewerChipEeprom::kFields) {
        if (f.command != FirmwareRecordId{record.id})
            continue;
        known = true;
        for (std::size_t i = 0; i < f.count; ++i)
            image[f.offset + i] = static_cast<std::uint8_t>(record.data[f.firstEntry + i]);
    }
    if (!known)
        return -1;
    return adapter.storeEeprom(image) ? 0 : -1;
}

std::int32_t readFirmwareRecord(SimAdapter& adapter, void* buffer) {
    WLFirmwareRecord record{};
    std::memcpy(&record, buffer, sizeof record);
    if (FirmwareRecordId{record.id} != FirmwareRecordId::PowerControl)
        return -1;
    record.length = 2;
    record.data[0] = adapter.rf().powerControl;
    std::memcpy(buffer, &record, sizeof record);
    return 0;
}

std::int32_t writeFirmwareRecord(SimAdapter& adapter, const void* buffer) {
    WLFirmwareRecord record{};
    std::memcpy(&record, buffer, sizeof record);
    if (FirmwareRecordId{record.id} == FirmwareRecordId::PowerControl) {
        adapter.rf().powerControl = record.data[0];
        return 0;
    }
    if (adapter.model().newerChip() && record.id >= code(FirmwareRecordId::EepromUpdateEnd))
        return eepromCommand(adapter, record);
    return -1;
}

std::int32_t readApSsid(SimAdapter& adapter, void* buffer) {
    const ApSsidBlock::Bytes block = ApSsidBlock::encode(adapter.accessPoint().ssid);
    std::memcpy(buffer, block.data(), block.size());
    return 0;
}

std::int32_t writeApSsid(SimAdapter& adapter, const void* buffer) {
    const std::optional<std::string> ssid =
        ApSsidBlock::decode({static_cast<const std::uint8_t*>(buffer), sizeof(WLApSsid)});
    if (!ssid)
        return -1;
    adapter.accessPoint().ssid = *ssid;
    return 0;
}

std::int32_t oldDebug(SimAdapter& adapter, void* buffer) {
    const std::uint32_t address = word(buffer, 0);
    RegisterFile& registers = adapter.registers();
    registers.writeMemory(address, word(buffer, 1));
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::fill(bytes + offsetof(WLOldDebugRequest, replyWords), bytes + sizeof(WLOldDebugRequest),
              0);
    // The count is the driver's word; the data never passes the buffer.
    putWord(buffer, offsetof(WLOldDebugRequest, replyWords) / 4, adapter.oldDebugWords);
    for (std::uint32_t i = 0; i < std::min(adapter.oldDebugWords, kOldDebugRoomWords); ++i) {
        const std::uint32_t value = registers.readMemory(address + 4 * i);
        std::memcpy(bytes + offsetof(WLOldDebugRequest, reply) + 4 * i, &value, sizeof value);
    }
    return 0;
}

std::int32_t debugTally(SimAdapter& adapter, void* buffer) {
    TallyLayout::encode(adapter.counters().debugTally(), static_cast<std::uint8_t*>(buffer));
    return 0;
}

bool newerOnly(std::uint32_t oid) {
    return oid == WL_OID_TEST_COMMAND || oid == WL_OID_MEMORY_READ || oid == WL_OID_MEMORY_WRITE ||
           oid == WL_OID_OLD_DEBUG || oid == WL_OID_DEBUG_TALLY;
}

// Null buffers, short buffers, unknown objects and the newer chip's objects on the
// older chip all fail before anything is touched.
bool usable(const SimAdapter& adapter, std::uint32_t oid, const void* buffer, std::int32_t length) {
    const std::int32_t size = ObjectAccess::objectSize(oid);
    if (buffer == nullptr || size == 0 || length < size)
        return false;
    return !newerOnly(oid) || adapter.model().newerChip();
}

} // namespace

std::int32_t ObjectAccess::objectSize(std::uint32_t oid) {
    for (const ObjectSize& s : kSizes) {
        if (s.oid == oid)
            return s.bytes;
    }
    return 0;
}

std::int32_t ObjectAccess::read(SimAdapter& adapter, std::uint32_t oid, void* buffer,
                                std::int32_t length) {
    if (!usable(adapter, oid, buffer, length))
        return -1;
    switch (oid) {
    case WL_OID_CURRENT_ADDRESS:
        return adapter.macAddress(static_cast<std::uint8_t*>(buffer));
    case WL_OID_FIRMWARE_RECORD:
        return readFirmwareRecord(adapter, buffer);
    case WL_OID_TEST_COMMAND:
        return testCommand(adapter, buffer);
    case WL_OID_MEMORY_READ:
        putWord(buffer, 0, adapter.registers().readMemory(word(buffer, 0)));
        return 0;
    case WL_OID_AP_SSID:
        return readApSsid(adapter, buffer);
    case WL_OID_DEBUG_TALLY:
        return debugTally(adapter, buffer);
    default:
        return -1;
    }
}

std::int32_t ObjectAccess::write(SimAdapter& adapter, std::uint32_t oid, void* buffer,
                                 std::int32_t length) {
    if (!usable(adapter, oid, buffer, length))
        return -1;
    switch (oid) {
    case WL_OID_FIRMWARE_RECORD:
        return writeFirmwareRecord(adapter, buffer);
    case WL_OID_TEST_COMMAND:
        return testCommand(adapter, buffer);
    case WL_OID_MEMORY_WRITE:
        adapter.registers().writeMemory(word(buffer, 0), word(buffer, 1));
        return 0;
    case WL_OID_OLD_DEBUG:
        return oldDebug(adapter, buffer);
    case WL_OID_AP_SSID:
        return writeApSsid(adapter, buffer);
    default:
        return -1;
    }
}

} // namespace kx::sim
