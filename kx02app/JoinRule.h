#pragma once
// Which network a restart joins. Infrastructure: the strongest network whose SSID
// matches (an empty SSID takes the strongest open network with a name), narrowed by a
// desired BSSID, on an allowed channel, whose key the adapter holds: a network with a
// key needs WEP on and the default key equal to it, an open one needs WEP off. Ad hoc:
// a matching ad-hoc network the same way, or a network of our own on the configured
// channel when none carries the SSID. A match that fails only on the key, or no match
// at all in infrastructure mode, leaves the adapter searching.

#include <cstdint>
#include <vector>

#include "kx02app/Association.h"
#include "kx02app/Scenario.h"
#include "kx02app/StationConfig.h"

namespace kx::sim {

class JoinRule final {
public:
    static Association::Target choose(const StationConfig& config,
                                      const std::vector<Scenario::Network>& networks,
                                      std::uint16_t channelMask, const MacBytes& ownMac,
                                      bool accessPointFirmware, const std::string& apSsid);
    // Whether the station may stay with a network it joined: name, BSSID, channel and
    // key still match.
    static bool suits(const Scenario::Network& network, const StationConfig& config,
                      std::uint16_t channelMask);
};

} // namespace kx::sim
