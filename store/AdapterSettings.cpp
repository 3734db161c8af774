#include "store/AdapterSettings.h"

#include <string>

#include "adapter/AdapterState.h"
#include "driver/Channels.h"
#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/ObjectLayouts.h"
#include "driver/SsidText.h"
#include "driver/WepKeyText.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "store/SettingsStore.h"
#include "store/StationFields.h"

namespace kx {

namespace {

constexpr int kReasonBytes = 256;

// The fields in the order the driver is asked for them and told them (StationFields
// says how).
using Field = int WirelessSettings::*;
using WS = WirelessSettings;
constexpr Field kLinkQueries[] = {&WS::channel, &WS::txRateControl};
constexpr Field kSecurityQueries[] = {&WS::networkType, &WS::authenticationMode, &WS::wepStatus,
                                      &WS::wepBit, &WS::defaultKeyId};
constexpr Field kRadioQueries[] = {&WS::powerSaveMode,          &WS::powerSaveLevel,
                                   &WS::fragmentationThreshold, &WS::rtsCtsThreshold,
                                   &WS::preambleMode,           &WS::mode27_5Mbps};
constexpr Field kRadioSends[] = {&WS::powerSaveMode,          &WS::powerSaveLevel,
                                 &WS::fragmentationThreshold, &WS::rtsCtsThreshold,
                                 &WS::mode27_5Mbps,           &WS::authenticationMode};
constexpr Field kLinkSends[] = {&WS::channel, &WS::txRateControl, &WS::networkType};

std::string narrowed(const QString& text) {
    return TextCodec::narrow(text.toStdU16String());
}

// What the driver reads of a text: the bytes up to the first NUL.
std::string upToNul(std::string bytes) {
    bytes.resize(std::strlen(bytes.c_str()));
    return bytes;
}

// The bytes of a network name as typed (SsidText's rule); none when it names none.
std::optional<std::string> ssidBytes(const QString& typed) {
    return SsidText::fromTyped(typed.toStdU16String());
}

QString shownSsid(std::string_view bytes) {
    return QString::fromStdU16String(SsidText::shown(bytes));
}

// A name that no bytes stand for reaches no adapter.
SettingResult unsendable() {
    SettingResult result;
    result.addDriverAnswer(-1);
    return result;
}

StoreResult profileFailure(const QString& reason) {
    return {QString::fromStdString(Registry::hiveFile(Hive::CurrentUser).string()), reason};
}

} // namespace

WLAdapterInfo* AdapterSettings::adapter() {
    return m_adapter.record();
}

void AdapterSettings::answered(SettingResult& result, std::int32_t answer) {
    result.addDriverAnswer(answer);
    if (answer >= 0) {
        m_adapter.readOnlyReason.clear();
        return;
    }
    // A refusal may be the adapter's whole answer to this user: then nothing that
    // follows is recorded either, so the registry holds nothing the adapter did not take.
    char reason[kReasonBytes] = {};
    if (QueryWL_ReadOnlyReason(adapter(), reason, kReasonBytes) == 1)
        m_adapter.readOnlyReason = QString::fromLocal8Bit(reason, qstrnlen(reason, kReasonBytes));
    else
        m_adapter.readOnlyReason.clear();
    result.setReadOnly(m_adapter.readOnlyReason);
}

SettingResult AdapterSettings::send(IntSet set, int value) {
    SettingResult result;
    answered(result, set(adapter(), value));
    return result;
}

SettingResult AdapterSettings::record(AdapterValue name, int value) {
    SettingResult result;
    if (!m_adapter.readOnlyReason.isEmpty())
        return result;
    result.addRecord(m_store.writeAdapterValue(name, value));
    return result;
}

SettingResult AdapterSettings::record(AdapterValue name, const QString& text) {
    SettingResult result;
    if (!m_adapter.readOnlyReason.isEmpty())
        return result;
    result.addRecord(m_store.writeAdapterValue(name, text));
    return result;
}

SettingResult AdapterSettings::sendAndRecord(IntSet set, int value, AdapterValue name) {
    SettingResult result = send(set, value);
    result += record(name, value);
    return result;
}

// ---- station -----------------------------------------------------------------------

SettingResult AdapterSettings::setChannel(int channel) {
    return sendAndRecord(SetWL_Channel, channel, AdapterValue::Channel);
}

SettingResult AdapterSettings::setTxRate(int rateCode) {
    return sendAndRecord(SetWL_TxRateControl, rateCode, AdapterValue::TxRate);
}

SettingResult AdapterSettings::setNetworkType(NetworkType type) {
    return sendAndRecord(SetWL_NetworkType, code(type), AdapterValue::NetworkType);
}

SettingResult AdapterSettings::sendSsid(const std::string& bytes) {
    SettingResult result;
    answered(result, SetWL_SSID(adapter(), bytes.c_str()));
    result += record(AdapterValue::Ssid, shownSsid(bytes));
    return result;
}

SettingResult AdapterSettings::setSsid(const QString& ssid) {
    const std::optional<std::string> bytes = ssidBytes(ssid);
    return bytes ? sendSsid(*bytes) : unsendable();
}

SettingResult AdapterSettings::setAuthenticationMode(int mode) {
    return sendAndRecord(SetWL_AuthenticationMode, mode, AdapterValue::AuthenticationMode);
}

WepKeys::Texts AdapterSettings::recordedKeys() const {
    QString joined;
    // A missing value reads as empty, which gives the default keys.
    if (m_store.readAdapterValue(AdapterValue::WepDefaultKeys, joined) != 0)
        joined.clear();
    return WepKeys::fromRecorded(joined);
}

SettingResult AdapterSettings::sendKeys(const WepKeys::Texts& keys, int wepBit, int defaultKeyId) {
    SettingResult result;
    const int byteCount = WepKeys::bytes(wepBit);
    for (int i = 0; i < WepKeys::kCount; ++i) {
        std::uint8_t bytes[WepKeys::bytes(1)] = {};
        HexText::toBytes(narrowed(keys[static_cast<std::size_t>(i)]), bytes, byteCount);
        answered(result, SetWL_WriteKey(adapter(), i, wepBit, i == defaultKeyId ? 1 : 0, bytes));
    }
    return result;
}

SettingResult AdapterSettings::setWepEnabled(bool enabled, int keyIndex) {
    if (keyIndex == -1) {
        keyIndex = QueryWL_DefaultKeyID(adapter());
        if (keyIndex < 0 || keyIndex >= WepKeys::kCount)
            keyIndex = 0;
    }
    SettingResult result;
    int wepBit = 0;
    if (enabled) {
        // Without usable recorded keys the defaults go, as everywhere else: all-zero keys
        // would shut out every station set up with the defaults.
        const WepKeys::Texts keys = recordedKeys();
        wepBit = keys[0].size() == WepKeys::digits(1) ? 1 : 0;
        result += sendKeys(keys, wepBit, keyIndex);
    }
    answered(result, SetWL_WEPStatus(adapter(), enabled ? 1 : 0));
    result += record(AdapterValue::WepStatus, WepKeys::statusCode(enabled, wepBit));
    result += record(AdapterValue::WepDefaultKeyId, keyIndex + 1);
    if (m_adapter.accessPointMode)
        result += resendSsid();
    return result;
}

SettingResult AdapterSettings::setWepKeys(const TypedKeys& typed, WepBit keyLength, int keyIndex) {
    const WepKeys::Texts storedKeys = recordedKeys();
    QString joined;
    for (std::size_t i = 0; i < typed.size(); ++i)
        joined += QString::fromLatin1(
            WepKeyText::recordedKey(narrowed(typed[i].value_or(storedKeys[i])), keyLength));
    SettingResult result = record(AdapterValue::WepDefaultKeys, joined);
    result += record(AdapterValue::WepStatus, WepKeys::statusCode(true, code(keyLength)));
    result += setWepEnabled(true, keyIndex);
    return result;
}

SettingResult AdapterSettings::setPowerSaveMode(int mode) {
    SettingResult result = sendAndRecord(SetWL_PSMode, mode, AdapterValue::PowerSaveMode);
    result += restart();
    return result;
}

SettingResult AdapterSettings::setPowerSaveLevel(int level) {
    SettingResult result = sendAndRecord(SetWL_PSLevel, level, AdapterValue::PowerSaveLevel);
    result += restart();
    return result;
}

SettingResult AdapterSettings::setFragmentationThreshold(int bytes) {
    return sendAndRecord(SetWL_FragmentationThreshold, bytes, AdapterValue::FragmentThreshold);
}

SettingResult AdapterSettings::setRtsThreshold(int bytes) {
    return sendAndRecord(SetWL_RTS_CTS_Threshold, bytes, AdapterValue::RtsCtsThreshold);
}

SettingResult AdapterSettings::setPreambleMode(int mode) {
    return sendAndRecord(SetWL_PreambleMode, mode, AdapterValue::Preamble);
}

SettingResult AdapterSettings::set27_5Mbps(int mode) {
    return sendAndRecord(SetWL_27_5Mbps, mode, AdapterValue::Mode27_5Mbps);
}

SettingResult AdapterSettings::restart() {
    SettingResult result;
    answered(result, SetWL_RestartNIC(adapter()));
    return result;
}

SettingResult AdapterSettings::setFirmwareAntenna(AntennaUse use, int antenna) {
    const std::int32_t inUse = SetWL_FirmwareAntennaDiversity(adapter(), code(use), antenna);
    SettingResult result;
    answered(result, inUse);
    // The driver starts with the antenna it last used.
    if (inUse >= 0)
        result += record(AdapterValue::AntennaSelect, inUse);
    return result;
}

// ---- joining -----------------------------------------------------------------------

SettingResult AdapterSettings::startJoin(NetworkType type, int channel, bool wep) {
    SettingResult result = setNetworkType(type);
    result += setAuthenticationMode(code(AuthenticationMode::Automatic));
    result += setChannel(channel);
    result += send(SetWL_WEPStatus, wep ? 1 : 0);
    if (!wep)
        return result += record(AdapterValue::WepStatus, WepKeys::statusCode(false, 0));
    // The adapter's own authentication mode goes back to it before WEP comes on.
    result += send(SetWL_AuthenticationMode, QueryWL_AuthenticationMode(adapter()));
    result += send(SetWL_WEPStatus, 1);
    return result += setWepEnabled(true);
}

SettingResult AdapterSettings::completeJoin(const std::uint8_t* bssid6, const QByteArray& ssid) {
    SettingResult result;
    answered(result, SetWL_DesiredBSSID(adapter(), bssid6));
    result += sendSsid(upToNul(ssid.toStdString()));
    return result += restart();
}

// ---- whole settings ----------------------------------------------------------------

WirelessSettings AdapterSettings::read() {
    WirelessSettings settings;
    const auto query = [&](const auto& fields) {
        for (const Field field : fields)
            settings.*field = StationFields::of(field).query(adapter());
    };
    query(kLinkQueries);

    char ssid[WL_SSID_BUFFER_MIN] = {};
    const bool ssidRead = QueryWL_SSID(adapter(), ssid) != -1;
    settings.ssid = ssidRead ? shownSsid({ssid, strnlen(ssid, sizeof ssid)}) : QString();

    query(kSecurityQueries);

    settings.keys = recordedKeys();

    query(kRadioQueries);
    return settings;
}

SettingResult AdapterSettings::apply(const WirelessSettings& settings) {
    SettingResult result;
    // Each as the driver reads it at start.
    const auto recordField = [&](Field field) {
        const SettingInfo& info = StationFields::of(field).info();
        result += record(*info.registryValue, settings.*field + info.registryOffset);
    };
    const auto sendAll = [&](const auto& fields) {
        for (const Field field : fields) {
            result += send(StationFields::of(field).set, settings.*field);
            recordField(field);
        }
    };
    sendAll(kRadioSends);

    recordField(&WS::defaultKeyId);
    result += sendKeys(settings.keys, settings.wepBit, settings.defaultKeyId);
    QString joined;
    for (const QString& key : settings.keys)
        joined += key;
    result += record(AdapterValue::WepDefaultKeys, joined);
    result += send(SetWL_WEPStatus, settings.wepStatus);
    result += record(AdapterValue::WepStatus,
                     WepKeys::statusCode(settings.wepStatus != 0, settings.wepBit));

    sendAll(kLinkSends);

    // The name is recorded as sent, whatever the driver makes of it.
    const std::optional<std::string> ssid = ssidBytes(settings.ssid);
    result += ssid ? sendSsid(*ssid) : unsendable();
    return result;
}

QString AdapterSettings::refusal(const WirelessSettings& settings) const {
    if (const QString problem = StationFields::problem(settings, m_adapter.channelMask);
        !problem.isEmpty())
        return problem;
    if (upToNul(narrowed(settings.ssid)).size() > std::size_t{kMaxSsidBytes})
        return QStringLiteral("%1 does not take \"%2\"; it takes at most %3 characters")
            .arg(QLatin1String(StationFields::kSsidFileKey), settings.ssid)
            .arg(kMaxSsidBytes);
    return {};
}

std::optional<SettingResult> AdapterSettings::loadProfile(const QString& name) {
    if (m_store.findProfile(name) != 0)
        return std::nullopt;
    WirelessSettings settings;
    m_store.readProfile(settings);
    // Sent, a value the adapter refuses would leave the profile half applied.
    SettingResult result;
    if (const QString why = refusal(settings); !why.isEmpty()) {
        result.refuse(why);
        return result;
    }
    return apply(settings);
}

SettingResult AdapterSettings::saveProfile(const QString& name) {
    SettingResult result;
    // A profile the store could not create has nothing to write into; the store says why.
    if (m_store.findProfile(name) != 0) {
        if (m_store.createProfile(name) != 0) {
            result.addRecord(m_store.lastFailure());
            return result;
        }
        if (m_store.findProfile(name) != 0) {
            result.addRecord(profileFailure(QStringLiteral("another program removed it")));
            return result;
        }
    }
    WirelessSettings settings = read();
    // Without a link the adapter reports no channel; the profile keeps the one it is set
    // to, as the basic settings show it, rather than a -1 that loading would send.
    if (settings.channel < 1)
        settings.channel = Channels::shown(QueryWL_DesiredChannel(adapter()));
    if (m_store.writeProfile(settings) != 0)
        result.addRecord(m_store.lastFailure());
    return result;
}

SettingResult AdapterSettings::applyFactoryDefaults() {
    return apply(WirelessSettings{});
}

// ---- access point ------------------------------------------------------------------

SettingResult AdapterSettings::setBasicRates(int rateBits) {
    return send(SetWL_BasicRate, rateBits);
}

SettingResult AdapterSettings::setApSsidHidden(bool hidden) {
    return send(SetWLAP_HideSSIDState, hidden ? 1 : 0);
}

SettingResult AdapterSettings::setApSsid(const QString& ssid) {
    const std::optional<std::string> bytes = ssidBytes(ssid);
    if (!bytes)
        return unsendable();
    SettingResult result;
    answered(result, SetWLAP_SSID(adapter(), bytes->c_str()));
    return result += record(AdapterValue::Ssid, shownSsid(*bytes));
}

SettingResult AdapterSettings::setTxPowerLevel(int level) {
    return send(SetWLAP_TxPowerLevel, level);
}

SettingResult AdapterSettings::setApFragmentationThreshold(int bytes) {
    return sendAndRecord(SetWLAP_FragmentationThreshold, bytes, AdapterValue::FragmentThreshold);
}

SettingResult AdapterSettings::setApRtsThreshold(int bytes) {
    return send(SetWLAP_RTS_CTS_Threshold, bytes);
}

SettingResult AdapterSettings::setFilterMode(FilterMode mode) {
    return send(SetWLAP_FilterMode, code(mode));
}

SettingResult
AdapterSettings::setFilterTable(std::span<const std::uint8_t, WL_FILTER_TABLE_BYTES> table) {
    SettingResult result;
    answered(result, SetWLAP_FilterList(adapter(), table.data(), WL_FILTER_TABLE_BYTES));
    return result;
}

std::optional<std::string> AdapterSettings::recordedSsid() const {
    QString ssid;
    // An empty record names nothing: sent, it would blank the access point's name. One
    // that names no bytes the driver does not take either.
    if (m_store.readAdapterValue(AdapterValue::Ssid, ssid) != 0 || ssid.isEmpty())
        return std::nullopt;
    return ssidBytes(ssid);
}

std::string AdapterSettings::ownApSsid() {
    char own[WL_SSID_BUFFER_MIN + 1] = {};
    if (QueryWLAP_SSID(adapter(), own) == -1)
        return {};
    return upToNul(std::string(own, sizeof own - 1));
}

std::string AdapterSettings::resentSsid() {
    // Nothing recorded yet: the access point hears its own name again, so that it still
    // takes up the change that came before.
    std::string bytes = recordedSsid().value_or(std::string());
    if (bytes.empty())
        bytes = ownApSsid();
    if (bytes.size() > static_cast<std::size_t>(kMaxSsidBytes))
        bytes.resize(kMaxSsidBytes);
    return bytes;
}

AdapterSettings::ApSsid AdapterSettings::apSsid() {
    ApSsid ssid;
    ssid.inUse = shownSsid(ownApSsid());
    const std::optional<std::string> recorded = recordedSsid();
    ssid.resent = recorded ? shownSsid(*recorded) : ssid.inUse;
    return ssid;
}

SettingResult AdapterSettings::resendSsid() {
    SettingResult result;
    const std::string bytes = resentSsid();
    if (bytes.empty()) {
        result.addDriverAnswer(-1);
        return result;
    }
    ApSsidBlock::Bytes block = ApSsidBlock::encode(bytes);
    answered(result, WriteOid(adapter(), WL_OID_AP_SSID, block.data(), block.size()));
    return result;
}

} // namespace kx
