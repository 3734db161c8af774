#pragma once
// Every change of a setting that a window makes: sent to the current adapter and
// recorded in the adapter's registry key (where its driver reads it at the next start),
// in the order the driver expects, each answering what became of it. Windows name no
// registry value and call no driver set operation themselves.
//
// Operations that record nothing say so; "restarts" means the adapter is asked to
// restart after the change, as the change needs it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <QByteArray>
#include <QString>

#include "driver/AdapterValue.h"
#include "driver/DriverCodes.h"
#include "driver/kx02app.h"
#include "store/SettingResult.h"
#include "store/WepKeys.h"
#include "store/WirelessSettings.h"

namespace kx {

struct AdapterState;
class SettingsStore;

class AdapterSettings final {
public:
    // Typed keys for setWepKeys: nullopt keeps the recorded key.
    using TypedKeys = std::array<std::optional<QString>, WepKeys::kCount>;

    AdapterSettings(AdapterState& adapter, SettingsStore& store)
        : m_adapter(adapter), m_store(store) {}

    // ---- station -------------------------------------------------------------------
    [[nodiscard]] SettingResult setChannel(int channel);
    [[nodiscard]] SettingResult setTxRate(int rateCode);
    [[nodiscard]] SettingResult setNetworkType(NetworkType type);
    // The driver gets the bytes of the name as typed (driver/SsidText.h), the record holds
    // them as shown; a name that no bytes stand for is refused without a driver call.
    [[nodiscard]] SettingResult setSsid(const QString& ssid);
    [[nodiscard]] SettingResult setAuthenticationMode(int mode);
    // WEP on with the recorded keys (the default keys when none are usable), or off;
    // keyIndex -1 is the adapter's default key (key 0 when it has none). On an access
    // point the SSID is sent again.
    [[nodiscard]] SettingResult setWepEnabled(bool enabled, int keyIndex = -1);
    // The four keys in keyLength (typed text, or the recorded key) are recorded, then
    // WEP is switched on with them, keyIndex as default.
    [[nodiscard]] SettingResult setWepKeys(const TypedKeys& typed, WepBit keyLength, int keyIndex);
    [[nodiscard]] SettingResult setPowerSaveMode(int mode);   // restarts
    [[nodiscard]] SettingResult setPowerSaveLevel(int level); // restarts
    [[nodiscard]] SettingResult setFragmentationThreshold(int bytes);
    [[nodiscard]] SettingResult setRtsThreshold(int bytes);
    [[nodiscard]] SettingResult setPreambleMode(int mode);
    [[nodiscard]] SettingResult set27_5Mbps(int mode);
    [[nodiscard]] SettingResult restart();
    // Antenna 1, 2 or 3 (both, by diversity); the antenna the firmware then uses is
    // recorded, nothing when it refused.
    [[nodiscard]] SettingResult setFirmwareAntenna(AntennaUse use, int antenna);

    // ---- joining a surveyed network ---------------------------------------------------
    // Type, automatic authentication, channel and WEP: with WEP the recorded keys are
    // applied (the caller asks then whether to keep them), without it WEP off is
    // recorded.
    [[nodiscard]] SettingResult startJoin(NetworkType type, int channel, bool wep);
    // The network's BSSID and SSID (single bytes, up to a NUL), then the restart.
    [[nodiscard]] SettingResult completeJoin(const std::uint8_t* bssid6, const QByteArray& ssid);

    // ---- whole settings and profiles -------------------------------------------------
    // What the adapter runs with now; the keys are the recorded ones.
    WirelessSettings read();
    // Every field, each recorded after it is sent. The preamble is not sent.
    [[nodiscard]] SettingResult apply(const WirelessSettings& settings);
    // nullopt, and nothing sent, when no profile has exactly this name; refused, and
    // nothing sent, when the adapter would not take one of its values (refusal()).
    [[nodiscard]] std::optional<SettingResult> loadProfile(const QString& name);
    // Why the adapter would not take the settings (a value out of range, a channel it does
    // not offer, an SSID too long), naming the first such field; empty when it would.
    QString refusal(const WirelessSettings& settings) const;
    // The adapter's settings under `name`, a new profile when there is none; a name the
    // store refuses is a failed record.
    [[nodiscard]] SettingResult saveProfile(const QString& name);
    [[nodiscard]] SettingResult applyFactoryDefaults();

    // ---- access point (nothing here is recorded unless stated) -----------------------
    [[nodiscard]] SettingResult setBasicRates(int rateBits);
    [[nodiscard]] SettingResult setApSsidHidden(bool hidden);
    // Taken like setSsid, and recorded as "SSID".
    [[nodiscard]] SettingResult setApSsid(const QString& ssid);
    [[nodiscard]] SettingResult setTxPowerLevel(int level);
    // Recorded, as the station's threshold is.
    [[nodiscard]] SettingResult setApFragmentationThreshold(int bytes);
    [[nodiscard]] SettingResult setApRtsThreshold(int bytes);
    [[nodiscard]] SettingResult setFilterMode(FilterMode mode);
    [[nodiscard]] SettingResult
    setFilterTable(std::span<const std::uint8_t, WL_FILTER_TABLE_BYTES> table);
    // The recorded SSID to the access-point firmware (at most 32 bytes). With nothing
    // usable recorded, or an empty SSID, the access point's own SSID goes instead; with no
    // name at all nothing is sent (an empty name would blank the access point's): that
    // counts as refused.
    [[nodiscard]] SettingResult resendSsid();
    // The access point's SSID now, and the one each change sends it again.
    struct ApSsid {
        QString inUse;  // as the access point answers it; empty when it does not
        QString resent; // what resendSsid sends, as the access point will hear it
    };
    ApSsid apSsid();

private:
    using IntSet = std::int32_t (*)(WLAdapterInfo*, std::int32_t);

    // Takes a driver set operation's answer into `result`; a refusal asks the driver
    // whether the adapter is read-only for this user.
    void answered(SettingResult& result, std::int32_t answer);
    SettingResult send(IntSet set, int value);
    SettingResult sendAndRecord(IntSet set, int value, AdapterValue name);
    SettingResult record(AdapterValue name, int value);
    SettingResult record(AdapterValue name, const QString& text);
    SettingResult sendSsid(const std::string& bytes);
    // The recorded SSID as the access point would take it; nothing when none or an
    // empty one is recorded.
    std::optional<std::string> recordedSsid() const;
    // The access point's SSID as its firmware answers it; empty when it does not.
    std::string ownApSsid();
    // What resendSsid sends; empty when there is no name at all.
    std::string resentSsid();
    // The recorded keys, or the default keys where none are usable.
    WepKeys::Texts recordedKeys() const;
    SettingResult sendKeys(const WepKeys::Texts& keys, int wepBit, int defaultKeyId);
    WLAdapterInfo* adapter();

    AdapterState& m_adapter;
    SettingsStore& m_store;
};

} // namespace kx
