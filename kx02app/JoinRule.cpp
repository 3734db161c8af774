#include "kx02app/JoinRule.h"

#include <algorithm>

namespace kx::sim {

namespace {

// All zero or all 0xFF: no particular network.
bool isWildcard(const MacBytes& mac) {
    return std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0; }) ||
           std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0xFF; });
}

bool nameMatches(const Scenario::Network& n, const StationConfig& c) {
    if (!c.ssid.empty())
        return n.ssid == c.ssid;
    // "Any network" takes only a name it hears.
    return !n.ssid.empty() && !n.hidden && n.wepKey.empty();
}

bool candidate(const Scenario::Network& n, const StationConfig& c, bool adHoc,
               std::uint16_t channelMask) {
    if ((n.mode == Scenario::AdHoc) != adHoc)
        return false;
    if (c.desiredBssid && !isWildcard(*c.desiredBssid) && n.bssid != *c.desiredBssid)
        return false;
    return nameMatches(n, c) && (channelMask >> (n.channel - 1) & 1) != 0;
}

bool keyMatches(const Scenario::Network& n, const StationConfig& c) {
    const bool wepOn = c.get(Setting::WepStatus) == 1;
    if (n.wepKey.empty())
        return !wepOn;
    return wepOn && c.defaultKey() == n.wepKey;
}

// Our own network: a locally administered BSSID made from our address.
Association::Target ownNetwork(LinkKind kind, const StationConfig& c, const MacBytes& ownMac,
                               const std::string& ssid) {
    MacBytes bssid = ownMac;
    bssid[0] = 0x02;
    return {kind, -1, bssid, ssid, c.get(Setting::DesiredChannel)};
}

} // namespace

bool JoinRule::suits(const Scenario::Network& network, const StationConfig& config,
                     std::uint16_t channelMask) {
    return candidate(network, config, network.mode == Scenario::AdHoc, channelMask) &&
           keyMatches(network, config);
}

Association::Target JoinRule::choose(const StationConfig& config,
                                     const std::vector<Scenario::Network>& networks,
                                     std::uint16_t channelMask, const MacBytes& ownMac,
                                     bool accessPointFirmware, const std::string& apSsid) {
    const int type = config.get(Setting::NetworkType);
    if (accessPointFirmware || type == 4)
        return {LinkKind::AccessPoint, -1, ownMac, apSsid, config.get(Setting::DesiredChannel)};
    if (type == 3)
        return ownNetwork(LinkKind::PseudoIbss, config, ownMac, config.ssid);
    const bool adHoc = type == 0;
    int best = -1;
    bool nameSeen = false;
    for (std::size_t i = 0; i < networks.size(); ++i) {
        const Scenario::Network& n = networks[i];
        if (!candidate(n, config, adHoc, channelMask))
            continue;
        nameSeen = true;
        if (keyMatches(n, config) &&
            (best < 0 || n.signal > networks[static_cast<std::size_t>(best)].signal))
            best = static_cast<int>(i);
    }
    if (best >= 0) {
        const Scenario::Network& n = networks[static_cast<std::size_t>(best)];
        return {adHoc ? LinkKind::AdHoc : LinkKind::Infrastructure, best, n.bssid, n.ssid,
                n.channel};
    }
    if (adHoc && !nameSeen)
        return ownNetwork(LinkKind::OwnAdHoc, config, ownMac, config.ssid);
    return {};
}

} // namespace kx::sim
