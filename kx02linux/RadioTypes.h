#pragma once
// What the kernel reports about radios, interfaces, networks and stations, decoded from
// nl80211 attributes into plain values (Nl80211Decode.h). The mappings to the driver
// contract's records (RadioMapping.h) take these, so they run without a kernel.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/ObjectLayouts.h"

namespace kx::lnx {

using Mac = MacBytes;

// nl80211's interface types, as far as the library uses them.
enum class IfType : int { Unknown = 0, AdHoc = 1, Station = 2, AccessPoint = 3, Monitor = 6 };

struct InterfaceInfo final {
    int ifindex = 0;
    std::string name;
    int wiphy = -1;
    IfType type = IfType::Unknown;
    Mac mac{};
    std::string ssid;     // of the network joined or the access point run; empty if none
    int frequencyMhz = 0; // 0 while on no channel
    int txPowerMbm = -1;  // -1 when the kernel does not say
};

struct ChannelInfo final {
    int frequencyMhz = 0;
    bool disabled = false;
    bool noInitiate = false; // passive only: no ad hoc network or access point may start here
};

struct WiphyInfo final {
    int index = -1;
    std::vector<ChannelInfo> channels; // the 2.4 GHz band only
    std::vector<std::uint32_t> ciphers;
    bool adHoc = false;
    bool accessPoint = false;
    std::uint32_t rtsThreshold = UINT32_MAX;  // UINT32_MAX: off
    std::uint32_t fragThreshold = UINT32_MAX; // UINT32_MAX: off
};

// A network found by a scan, and whether this interface is joined to it.
enum class BssStatus : int { None = -1, Authenticated = 0, Associated = 1, AdHocJoined = 2 };

struct BssInfo final {
    Mac bssid{};
    int frequencyMhz = 0;
    std::uint16_t capability = 0;
    std::optional<int> signalMbm; // hundredths of a dBm
    std::uint16_t beaconInterval = 0;
    std::vector<std::uint8_t> elements; // information elements as received
    BssStatus status = BssStatus::None;
};

struct StationInfo final {
    Mac mac{};
    std::optional<int> signalDbm;
    int txBitrate100k = 0; // 0 when unknown
    std::uint32_t rxPackets = 0;
    std::uint32_t txPackets = 0;
};

// Ciphers as nl80211 names them (IEEE suite selectors).
inline constexpr std::uint32_t kCipherWep40 = 0x000FAC01;
inline constexpr std::uint32_t kCipherWep104 = 0x000FAC05;

} // namespace kx::lnx
