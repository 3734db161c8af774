#include "kx02linux/Nl80211Decode.h"

#include <algorithm>
#include <cstring>

#include <linux/nl80211.h>
#include <netlink/attr.h>
#include <netlink/genl/genl.h>

namespace kx::lnx::Nl80211Decode {

namespace {

constexpr int kBand2GHz = NL80211_BAND_2GHZ;

template <int Max> struct Attrs {
    nlattr* at[Max + 1] = {};
    nlattr* operator[](int i) const { return at[i]; }
};

bool parseMessage(nlmsghdr* message, Attrs<NL80211_ATTR_MAX>& tb) {
    return message != nullptr && genlmsg_parse(message, 0, tb.at, NL80211_ATTR_MAX, nullptr) == 0;
}

template <int Max> bool parseNested(nlattr* nested, Attrs<Max>& tb) {
    return nested != nullptr && nla_parse_nested(tb.at, Max, nested, nullptr) == 0;
}

Mac macOf(nlattr* attr) {
    Mac mac{};
    if (attr != nullptr && nla_len(attr) >= static_cast<int>(mac.size()))
        std::memcpy(mac.data(), nla_data(attr), mac.size());
    return mac;
}

void addBand(nlattr* band, WiphyInfo& into) {
    Attrs<NL80211_BAND_ATTR_MAX> tb;
    if (!parseNested(band, tb) || tb[NL80211_BAND_ATTR_FREQS] == nullptr)
        return;
    nlattr* freq = nullptr;
    int rem = 0;
    nla_for_each_nested(freq, tb[NL80211_BAND_ATTR_FREQS], rem) {
        Attrs<NL80211_FREQUENCY_ATTR_MAX> f;
        if (!parseNested(freq, f) || f[NL80211_FREQUENCY_ATTR_FREQ] == nullptr)
            continue;
        ChannelInfo c;
        c.frequencyMhz = static_cast<int>(nla_get_u32(f[NL80211_FREQUENCY_ATTR_FREQ]));
        c.disabled = f[NL80211_FREQUENCY_ATTR_DISABLED] != nullptr;
        c.noInitiate = f[NL80211_FREQUENCY_ATTR_NO_IR] != nullptr;
        const auto same = [&](const ChannelInfo& o) { return o.frequencyMhz == c.frequencyMhz; };
        const auto known = std::find_if(into.channels.begin(), into.channels.end(), same);
        if (known != into.channels.end())
            *known = c;
        else
            into.channels.push_back(c);
    }
}

} // namespace

std::optional<InterfaceInfo> interface(nlmsghdr* message) {
    Attrs<NL80211_ATTR_MAX> tb;
    if (!parseMessage(message, tb) || tb[NL80211_ATTR_IFINDEX] == nullptr)
        return std::nullopt;
    InterfaceInfo info;
    info.ifindex = static_cast<int>(nla_get_u32(tb[NL80211_ATTR_IFINDEX]));
    if (tb[NL80211_ATTR_IFNAME] != nullptr)
        info.name = nla_get_string(tb[NL80211_ATTR_IFNAME]);
    if (tb[NL80211_ATTR_WIPHY] != nullptr)
        info.wiphy = static_cast<int>(nla_get_u32(tb[NL80211_ATTR_WIPHY]));
    if (tb[NL80211_ATTR_IFTYPE] != nullptr)
        info.type = static_cast<IfType>(nla_get_u32(tb[NL80211_ATTR_IFTYPE]));
    info.mac = macOf(tb[NL80211_ATTR_MAC]);
    if (nlattr* ssid = tb[NL80211_ATTR_SSID]; ssid != nullptr)
        info.ssid.assign(static_cast<const char*>(nla_data(ssid)),
                         static_cast<std::size_t>(std::min(nla_len(ssid), 32)));
    if (tb[NL80211_ATTR_WIPHY_FREQ] != nullptr)
        info.frequencyMhz = static_cast<int>(nla_get_u32(tb[NL80211_ATTR_WIPHY_FREQ]));
    if (tb[NL80211_ATTR_WIPHY_TX_POWER_LEVEL] != nullptr)
        info.txPowerMbm = static_cast<int>(nla_get_u32(tb[NL80211_ATTR_WIPHY_TX_POWER_LEVEL]));
    return info;
}

void wiphy(nlmsghdr* message, WiphyInfo& into) {
    Attrs<NL80211_ATTR_MAX> tb;
    if (!parseMessage(message, tb))
        return;
    if (tb[NL80211_ATTR_WIPHY] != nullptr)
        into.index = static_cast<int>(nla_get_u32(tb[NL80211_ATTR_WIPHY]));
    if (tb[NL80211_ATTR_WIPHY_RTS_THRESHOLD] != nullptr)
        into.rtsThreshold = nla_get_u32(tb[NL80211_ATTR_WIPHY_RTS_THRESHOLD]);
    if (tb[NL80211_ATTR_WIPHY_FRAG_THRESHOLD] != nullptr)
        into.fragThreshold = nla_get_u32(tb[NL80211_ATTR_WIPHY_FRAG_THRESHOLD]);
    if (nlattr* ciphers = tb[NL80211_ATTR_CIPHER_SUITES]; ciphers != nullptr) {
        const int count = nla_len(ciphers) / static_cast<int>(sizeof(std::uint32_t));
        into.ciphers.resize(static_cast<std::size_t>(count));
        std::memcpy(into.ciphers.data(), nla_data(ciphers),
                    into.ciphers.size() * sizeof(std::uint32_t));
    }
    if (nlattr* modes = tb[NL80211_ATTR_SUPPORTED_IFTYPES]; modes != nullptr) {
        nlattr* mode = nullptr;
        int rem = 0;
        nla_for_each_nested(mode, modes, rem) {
            const int type = nla_type(mode);
            into.adHoc = into.adHoc || type == NL80211_IFTYPE_ADHOC;
            into.accessPoint = into.accessPoint || type == NL80211_IFTYPE_AP;
        }
    }
    if (nlattr* bands = tb[NL80211_ATTR_WIPHY_BANDS]; bands != nullptr) {
        nlattr* band = nullptr;
        int rem = 0;
        nla_for_each_nested(band, bands, rem) {
            if (nla_type(band) == kBand2GHz)
                addBand(band, into);
        }
    }
}

std::optional<BssInfo> bss(nlmsghdr* message) {
    Attrs<NL80211_ATTR_MAX> tb;
    Attrs<NL80211_BSS_MAX> b;
    if (!parseMessage(message, tb) || !parseNested(tb[NL80211_ATTR_BSS], b) ||
        b[NL80211_BSS_BSSID] == nullptr || b[NL80211_BSS_FREQUENCY] == nullptr)
        return std::nullopt;
    BssInfo info;
    info.bssid = macOf(b[NL80211_BSS_BSSID]);
    info.frequencyMhz = static_cast<int>(nla_get_u32(b[NL80211_BSS_FREQUENCY]));
    if (b[NL80211_BSS_CAPABILITY] != nullptr)
        info.capability = nla_get_u16(b[NL80211_BSS_CAPABILITY]);
    if (b[NL80211_BSS_SIGNAL_MBM] != nullptr)
        info.signalMbm = static_cast<std::int32_t>(nla_get_u32(b[NL80211_BSS_SIGNAL_MBM]));
    if (b[NL80211_BSS_BEACON_INTERVAL] != nullptr)
        info.beaconInterval = nla_get_u16(b[NL80211_BSS_BEACON_INTERVAL]);
    // The elements of the last frame heard, else those of the last beacon.
    nlattr* elements = b[NL80211_BSS_INFORMATION_ELEMENTS] != nullptr
                           ? b[NL80211_BSS_INFORMATION_ELEMENTS]
                           : b[NL80211_BSS_BEACON_IES];
    if (elements != nullptr) {
        const auto* data = static_cast<const std::uint8_t*>(nla_data(elements));
        info.elements.assign(data, data + nla_len(elements));
    }
    if (b[NL80211_BSS_STATUS] != nullptr)
        info.status = static_cast<BssStatus>(nla_get_u32(b[NL80211_BSS_STATUS]));
    return info;
}

std::optional<StationInfo> station(nlmsghdr* message) {
    Attrs<NL80211_ATTR_MAX> tb;
    Attrs<NL80211_STA_INFO_MAX> s;
    if (!parseMessage(message, tb) || tb[NL80211_ATTR_MAC] == nullptr ||
        !parseNested(tb[NL80211_ATTR_STA_INFO], s))
        return std::nullopt;
    StationInfo info;
    info.mac = macOf(tb[NL80211_ATTR_MAC]);
    if (s[NL80211_STA_INFO_SIGNAL] != nullptr)
        info.signalDbm = static_cast<std::int8_t>(nla_get_u8(s[NL80211_STA_INFO_SIGNAL]));
    if (s[NL80211_STA_INFO_RX_PACKETS] != nullptr)
        info.rxPackets = nla_get_u32(s[NL80211_STA_INFO_RX_PACKETS]);
    if (s[NL80211_STA_INFO_TX_PACKETS] != nullptr)
        info.txPackets = nla_get_u32(s[NL80211_STA_INFO_TX_PACKETS]);
    Attrs<NL80211_RATE_INFO_MAX> r;
    if (parseNested(s[NL80211_STA_INFO_TX_BITRATE], r)) {
        if (r[NL80211_RATE_INFO_BITRATE32] != nullptr)
            info.txBitrate100k = static_cast<int>(nla_get_u32(r[NL80211_RATE_INFO_BITRATE32]));
        else if (r[NL80211_RATE_INFO_BITRATE] != nullptr)
            info.txBitrate100k = nla_get_u16(r[NL80211_RATE_INFO_BITRATE]);
    }
    return info;
}

std::optional<bool> powerSave(nlmsghdr* message) {
    Attrs<NL80211_ATTR_MAX> tb;
    if (!parseMessage(message, tb) || tb[NL80211_ATTR_PS_STATE] == nullptr)
        return std::nullopt;
    return nla_get_u32(tb[NL80211_ATTR_PS_STATE]) == NL80211_PS_ENABLED;
}

} // namespace kx::lnx::Nl80211Decode
