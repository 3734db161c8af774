#pragma once
// One wireless interface behind the driver contract: the station operations mapped onto
// nl80211, the access point onto hostapd, the settings the kernel does not keep in the
// shared settings file. Queries ask the kernel each time; every change first asks
// whether this process may change the adapter (AccessCheck) and does nothing when not.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "driver/kx02app.h"
#include "kx02linux/Hostapd.h"
#include "kx02linux/Nl80211.h"
#include "kx02linux/RadioSettings.h"

namespace kx::lnx {

class LinuxAdapter final {
public:
    struct Identity {
        std::string name; // the interface
        std::string description;
        std::string instance;
        std::string hardwareId;
        bool newerChip = false;
    };

    LinuxAdapter(Identity identity, std::filesystem::path runDir);

    const Identity& identity() const { return m_id; }
    // Finds the interface again (it may have been renamed away or unplugged); on the
    // first open since the machine started, starts the adapter from the registry.
    bool open();
    int handle() const { return m_handle; }
    void setHandle(int handle) { m_handle = handle; }

    // Empty when this process may change the adapter; otherwise why not.
    std::string readOnlyReason();

    // ---- queries (negative: failure) ----------------------------------------------------
    int mac(std::uint8_t* out6);
    int channel();
    int channelMask();
    int currentTxRate();
    int portStatus();
    int cqsl(std::int32_t* quality, std::int32_t* signal, std::int32_t* packets);
    int bssidText(char* out);
    int currentSsid(char* out);
    int frames(std::uint32_t* counters2);
    int powerSave();
    int fragThreshold();
    int rtsThreshold();
    int txPowerLevel();
    int survey(void* buffer, int maxRecords);
    int stationList(std::uint8_t* buffer, int length);
    int filterList(std::uint8_t* table, int length);
    // The settings kept by the library.
    RadioSettings settings();

    // ---- changes (0 done, -1 refused) ---------------------------------------------------
    int startSurvey();
    int setChannel(int channel);
    int setTxRate(int code);
    int setNetworkType(int type);
    int setAuthMode(int mode);
    int setWepStatus(int on);
    int writeKey(int index, int wepBit, int isDefault, const std::uint8_t* key);
    int setPowerSave(int on);
    int setPsLevel(int level);
    int setFragThreshold(int bytes);
    int setRtsThreshold(int bytes);
    int setPreamble(int mode);
    int setBasicRate(int bits);
    int setSsid(const char* ssid);
    int setDesiredBssid(const std::uint8_t* bssid6);
    int restart();
    int setApSsid(const char* ssid, std::size_t limit);
    int setApHidden(int hidden);
    int setTxPowerLevel(int level);
    int setFilterMode(int mode);
    int setFilterList(const std::uint8_t* table, int length);

private:
    // Applies `change` to the shared settings when this process may change the adapter.
    template <typename Change> int change(Change&& body);
    std::optional<InterfaceInfo> info();
    std::optional<WiphyInfo> wiphy();
    std::optional<StationInfo> linkStation();
    std::optional<BssInfo> joinedNetwork();
    std::optional<std::string> joinedSsid(const InterfaceInfo& i);
    bool loadSettings();
    int saveSettings();
    void startFromRegistry();
    // Takes down whatever link or access point runs and starts what the settings ask.
    int rejoin();
    int applyAccessPoint();
    int applyFilter();
    bool accessPointRunning();
    JoinRequest joinRequest() const;

    Identity m_id;
    std::filesystem::path m_runDir;
    std::filesystem::path m_settingsFile;
    Hostapd::Files m_hostapd;
    int m_ifindex = 0;
    int m_handle = -1;
    RadioSettings m_settings;
    std::filesystem::file_time_type m_settingsStamp{};
    // A join this process asked for and the kernel has not finished: "connecting".
    std::optional<std::chrono::steady_clock::time_point> m_joinStarted;
    std::optional<std::chrono::steady_clock::time_point> m_lastRetry;
    // A change that the next restart must join again for; a join takes them all.
    bool m_joinChanged = false;
    bool m_started = false; // this process read the registry for the adapter
    unsigned m_joins = 0;
    // The BSSID given just before an SSID narrows that join (the program's connect).
    bool m_bssidJustSet = false;
    std::string m_readOnly;
    std::optional<std::chrono::steady_clock::time_point> m_readOnlyChecked;
};

} // namespace kx::lnx
