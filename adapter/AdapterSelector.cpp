#include "adapter/AdapterSelector.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/AdapterState.h"
#include "driver/AdapterValue.h"
#include "driver/DriverCodes.h"
#include "driver/DriverLimits.h"
#include "driver/ExtendedRecordLayout.h"
#include "driver/HardwareId.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "program/ProgramConfig.h"

namespace kx {

namespace {

constexpr auto kWin95ClassKey = "System\\CurrentControlSet\\Services\\Class\\Net\\";
constexpr auto kDeviceIdValue = kHardwareIdValue;
// The identifier is read into a 512-byte buffer: longer values are cut.
constexpr std::size_t kDeviceIdBufferBytes = 512;

QString widened(std::string_view bytes) {
    return QString::fromStdU16String(TextCodec::widen(bytes));
}

// The driver's fields need not hold a NUL; never read past them.
std::string_view fieldText(const char* field, std::size_t size) {
    return {field, strnlen(field, size)};
}

// At most the smaller field less one byte, always terminated.
template <std::size_t To, std::size_t From>
void copyField(char (&to)[To], const char (&from)[From]) {
    const std::string_view text = fieldText(from, std::min(To, From) - 1);
    std::memcpy(to, text.data(), text.size());
    std::memset(to + text.size(), 0, To - text.size());
}

QString registryKeyForEntry(const WLAdapterListEntry& entry) {
    const std::string instance(fieldText(entry.instance, sizeof entry.instance - 1));
    return AdapterSelector::registryKeyFor(instance.c_str());
}

// The hardware identifier recorded in the adapter's key, or false when there is none;
// `problem` then says why the key could not be opened, if it could not.
bool readDeviceId(const QString& key, QString& id, QString* problem = nullptr) {
    const std::string path = key.toStdString();
    std::string value;
    if (!Registry::openFullAccess(Hive::LocalMachine, path)) {
        if (problem) {
            const RegistryFailure failure = Registry::lastFailure();
            *problem = QString::fromStdString(failure.file.string() + ": " + failure.reason);
        }
        return false;
    }
    if (Registry::readString(Hive::LocalMachine, path, kDeviceIdValue, value) != 0)
        return false;
    if (value.size() > kDeviceIdBufferBytes - 1)
        value.resize(kDeviceIdBufferBytes - 1);
    id = QString::fromStdU16String(TextCodec::utf8ToUtf16(value));
    return true;
}

// How many configured identifiers equal `id`; the list ends at its first empty entry.
int matchingIdCount(const ProgramConfig& config, const QString& id) {
    const QString wanted = id.toUpper();
    int matches = 0;
    for (const QString& configured : config.hardwareIds) {
        if (configured.isEmpty())
            break;
        if (configured.toUpper() == wanted)
            ++matches;
    }
    return matches;
}

int detectChipVersion(const QString& key) {
    QString id;
    if (readDeviceId(key, id) && HardwareId::namesNewerChip(id.toStdString()))
        return AdapterState::kNewerChip;
    return AdapterState::kOlderChip;
}

void detectBus(const QString& key, AdapterState& state) {
    state.busKind = BusPcmcia;
    QString id;
    if (!readDeviceId(key, id))
        return;
    if (const BusLayout* bus = HardwareId::busOf(id.toStdString())) {
        state.busKind = bus->kind;
        state.eeprom.length = bus->eepromSize;
        state.eeprom.extendedOffset = bus->extendedOffset;
    }
}

std::uint16_t readChannelMask(const AdapterState& state) {
    if (state.newerChip())
        return 0xFFFF; // every bit: the newer chip allows whatever the channel list offers
    std::uint8_t out[2] = {};
    std::int32_t length = sizeof out;
    if (QueryWL_ExtEEPROM_IDData(state.eeprom.bytes.data(), state.busKind,
                                 ExtendedRecordLayout::ChannelMask, out, &length) == -1)
        return kAllChannelsMask;
    return static_cast<std::uint16_t>(out[0] | (out[1] << 8));
}

} // namespace

QString AdapterSelector::busName(int busKind, const QString& unknown) {
    const BusLayout* bus = HardwareId::layout(BusKind{busKind});
    return bus ? widened(bus->prefix) : unknown;
}

QString AdapterSelector::registryKeyFor(const char* instance) {
    const QString base =
        QueryWL_IsWindows95() != 0 ? widened(kWin95ClassKey) : widened(kAdapterClassKey) + u'\\';
    return base + widened(instance ? std::string_view(instance) : std::string_view());
}

std::optional<QString> AdapterSelector::hardwareIdOf(const char* instance) {
    WLAdapterListEntry entry{};
    std::strncpy(entry.instance, instance, sizeof entry.instance - 1);
    QString id;
    if (!readDeviceId(registryKeyForEntry(entry), id))
        return std::nullopt;
    return id;
}

bool AdapterSelector::accepts(const ProgramConfig& config, const QString& id) {
    return matchingIdCount(config, id) > 0;
}

void AdapterSelector::discover() {
    m_host.clearAdapterLines();
    m_list.clear();
    m_state.keyProblem.clear();

    std::vector<WLAdapterListEntry> found(WL_ADAPTER_LIST_MAX);
    const int count = std::clamp<int>(CreateAllNICAdapterList(found.data(), WL_ADAPTER_LIST_MAX), 0,
                                      WL_ADAPTER_LIST_MAX);
    WLAdapterInfo* record = m_state.record();
    for (int i = 0; i < count; ++i) {
        const WLAdapterListEntry& entry = found[static_cast<std::size_t>(i)];
        QString id;
        QString problem;
        if (!readDeviceId(registryKeyForEntry(entry), id, &problem)) {
            if (m_state.keyProblem.isEmpty())
                m_state.keyProblem = problem;
            continue;
        }
        // An adapter named by two configured identifiers is offered twice.
        for (int match = matchingIdCount(m_config, id); match > 0; --match) {
            record->handle = -1;
            copyField(record->name, entry.name);
            record->inUse = 1;
            if (KxOpenAdapter(record) == 0)
                continue;
            KxCloseAdapter(record);
            if (m_list.append(entry))
                m_host.addAdapterLine(
                    widened(fieldText(entry.description, sizeof entry.description - 1)));
        }
    }
    if (m_list.isEmpty())
        return;
    m_host.setCurrentAdapterLine(0);
    select();
}

void AdapterSelector::select() {
    AdapterState& state = m_state;
    WLAdapterInfo* record = state.record();
    KxCloseAdapter(record);

    const int line = m_host.currentAdapterLine();
    if (line < 0 || line >= m_list.size())
        return;
    const WLAdapterListEntry& entry = m_list.at(line);
    copyField(record->name, entry.name);
    copyField(record->description, entry.description);
    copyField(record->instance, entry.instance);
    record->inUse = 1;
    record->failAvoidCount = m_config.Fail_Avoid_Count;
    if (KxOpenAdapter(record) == 0)
        return; // the status ticks retry; everything else stays as it was

    state.chipVersion = AdapterState::kOlderChip;
    m_host.adapterOpened();
    state.registryKey = registryKeyFor(record->instance);
    state.chipVersion = detectChipVersion(state.registryKey);
    detectBus(state.registryKey, state);
    if (state.newerChip())
        state.busKind = BusPci;
    WL_ReadEEPROM(record, m_config.ChipVersion, state.busKind, state.eeprom.bytes.data(),
                  state.eeprom.length);
    state.channelMask = readChannelMask(state);

    m_host.recheckZeroConfiguration();
    m_host.applyLayout();
    applyFirmwareMode();
}

void AdapterSelector::applyFirmwareMode() {
    if (m_config.EnableAccessPoint == 0)
        return; // an access-point card is run as a station
    m_state.accessPointMode =
        FirmwareMode{QueryWL_FirmwareMode_STA_AP(m_state.record())} == FirmwareMode::AccessPoint;
    if (m_state.accessPointMode)
        m_host.resetStationListTicks();
    else
        m_host.endSiteScan();
    m_host.applyLayout();
    if (m_state.accessPointMode)
        m_host.showAccessPointSettings();
}

} // namespace kx
