#include "kx02linux/Nl80211.h"

#include <cerrno>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <linux/nl80211.h>
#include <net/if.h>
#include <netlink/genl/ctrl.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <netlink/netlink.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "kx02linux/Nl80211Decode.h"

namespace kx::lnx {

namespace {

struct Collect {
    std::function<void(nlmsghdr*)> each;
    int error = 1; // 1 while the answer is incomplete
};

int onValid(nl_msg* msg, void* arg) {
    auto* c = static_cast<Collect*>(arg);
    if (c->each)
        c->each(nlmsg_hdr(msg));
    return NL_SKIP;
}

int onFinish(nl_msg*, void* arg) {
    static_cast<Collect*>(arg)->error = 0;
    return NL_SKIP;
}

int onAck(nl_msg*, void* arg) {
    static_cast<Collect*>(arg)->error = 0;
    return NL_STOP;
}

int onError(sockaddr_nl*, nlmsgerr* err, void* arg) {
    static_cast<Collect*>(arg)->error = err->error;
    return NL_STOP;
}

int withSocket(const std::function<int(int)>& body) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -errno;
    const int ret = body(fd);
    close(fd);
    return ret;
}

void putKeys(nl_msg* msg, const JoinRequest& request) {
    nlattr* keys = nla_nest_start(msg, NL80211_ATTR_KEYS);
    for (const WepKey& key : request.keys) {
        nlattr* k = nla_nest_start(msg, key.index + 1);
        nla_put(msg, NL80211_KEY_DATA, static_cast<int>(key.bytes.size()), key.bytes.data());
        nla_put_u8(msg, NL80211_KEY_IDX, static_cast<std::uint8_t>(key.index));
        nla_put_u32(msg, NL80211_KEY_CIPHER, key.bytes.size() == 13 ? 0x000FAC05u : 0x000FAC01u);
        if (key.index == request.defaultKey)
            nla_put_flag(msg, NL80211_KEY_DEFAULT);
        nla_nest_end(msg, k);
    }
    nla_nest_end(msg, keys);
}

} // namespace

Nl80211* Nl80211::get() {
    static Nl80211* instance = [] {
        auto* n = new Nl80211;
        if (!n->open()) {
            delete n;
            return static_cast<Nl80211*>(nullptr);
        }
        return n;
    }();
    return instance;
}

Nl80211::~Nl80211() {
    if (m_sock != nullptr)
        nl_socket_free(m_sock);
}

bool Nl80211::open() {
    m_sock = nl_socket_alloc();
    if (m_sock == nullptr || genl_connect(m_sock) != 0)
        return false;
    // The file descriptor must not leak into hostapd.
    const int fd = nl_socket_get_fd(m_sock);
    if (fd >= 0)
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    nl_socket_set_buffer_size(m_sock, 256 * 1024, 256 * 1024);
    m_family = genl_ctrl_resolve(m_sock, "nl80211");
    return m_family >= 0;
}

nl_msg* Nl80211::message(int command, int flags) {
    nl_msg* msg = nlmsg_alloc();
    if (msg != nullptr)
        genlmsg_put(msg, NL_AUTO_PORT, NL_AUTO_SEQ, m_family, 0, flags,
                    static_cast<std::uint8_t>(command), 0);
    return msg;
}

nl_msg* Nl80211::message(int command, int flags, int ifindex) {
    nl_msg* msg = message(command, flags);
    if (msg != nullptr)
        nla_put_u32(msg, NL80211_ATTR_IFINDEX, static_cast<std::uint32_t>(ifindex));
    return msg;
}

template <typename Each> int Nl80211::request(nl_msg* msg, Each each) {
    if (msg == nullptr)
        return -ENOMEM;
    Collect collect{each};
    nl_cb* cb = nl_cb_alloc(NL_CB_DEFAULT);
    if (cb == nullptr) {
        nlmsg_free(msg);
        return -ENOMEM;
    }
    nl_cb_set(cb, NL_CB_VALID, NL_CB_CUSTOM, onValid, &collect);
    nl_cb_set(cb, NL_CB_FINISH, NL_CB_CUSTOM, onFinish, &collect);
    nl_cb_set(cb, NL_CB_ACK, NL_CB_CUSTOM, onAck, &collect);
    nl_cb_err(cb, NL_CB_CUSTOM, onError, &collect);
    int ret = nl_send_auto(m_sock, msg);
    nlmsg_free(msg);
    while (ret >= 0 && collect.error > 0)
        ret = nl_recvmsgs(m_sock, cb);
    nl_cb_put(cb);
    if (ret < 0)
        return -EIO;
    return collect.error;
}

int Nl80211::request(nl_msg* msg) {
    return request(msg, [](nlmsghdr*) {});
}

std::vector<InterfaceInfo> Nl80211::interfaces() {
    std::vector<InterfaceInfo> found;
    request(message(NL80211_CMD_GET_INTERFACE, NLM_F_DUMP), [&](nlmsghdr* m) {
        if (auto info = Nl80211Decode::interface(m))
            found.push_back(std::move(*info));
    });
    return found;
}

std::optional<InterfaceInfo> Nl80211::interface(int ifindex) {
    nl_msg* msg = message(NL80211_CMD_GET_INTERFACE, 0, ifindex);
    if (msg == nullptr)
        return std::nullopt;
    std::optional<InterfaceInfo> found;
    if (request(msg, [&](nlmsghdr* m) { found = Nl80211Decode::interface(m); }) != 0)
        return std::nullopt;
    return found;
}

std::optional<WiphyInfo> Nl80211::wiphy(int index) {
    nl_msg* msg = message(NL80211_CMD_GET_WIPHY, NLM_F_DUMP);
    if (msg == nullptr)
        return std::nullopt;
    nla_put_u32(msg, NL80211_ATTR_WIPHY, static_cast<std::uint32_t>(index));
    nla_put_flag(msg, NL80211_ATTR_SPLIT_WIPHY_DUMP);
    WiphyInfo info;
    if (request(msg, [&](nlmsghdr* m) { Nl80211Decode::wiphy(m, info); }) != 0 || info.index < 0)
        return std::nullopt;
    return info;
}

std::vector<BssInfo> Nl80211::scanResults(int ifindex) {
    std::vector<BssInfo> found;
    nl_msg* msg = message(NL80211_CMD_GET_SCAN, NLM_F_DUMP, ifindex);
    if (msg == nullptr)
        return found;
    request(msg, [&](nlmsghdr* m) {
        if (auto bss = Nl80211Decode::bss(m))
            found.push_back(std::move(*bss));
    });
    return found;
}

std::vector<StationInfo> Nl80211::stations(int ifindex) {
    std::vector<StationInfo> found;
    nl_msg* msg = message(NL80211_CMD_GET_STATION, NLM_F_DUMP, ifindex);
    if (msg == nullptr)
        return found;
    request(msg, [&](nlmsghdr* m) {
        if (auto s = Nl80211Decode::station(m))
            found.push_back(*s);
    });
    return found;
}

std::optional<bool> Nl80211::powerSave(int ifindex) {
    nl_msg* msg = message(NL80211_CMD_GET_POWER_SAVE, 0, ifindex);
    if (msg == nullptr)
        return std::nullopt;
    std::optional<bool> on;
    if (request(msg, [&](nlmsghdr* m) { on = Nl80211Decode::powerSave(m); }) != 0)
        return std::nullopt;
    return on;
}

int Nl80211::triggerScan(int ifindex, const std::vector<int>& frequencies) {
    nl_msg* msg = message(NL80211_CMD_TRIGGER_SCAN, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nlattr* freqs = nla_nest_start(msg, NL80211_ATTR_SCAN_FREQUENCIES);
    for (std::size_t i = 0; i < frequencies.size(); ++i)
        nla_put_u32(msg, static_cast<int>(i + 1), static_cast<std::uint32_t>(frequencies[i]));
    nla_nest_end(msg, freqs);
    // One wildcard SSID: an active scan, quicker than listening on each channel.
    nlattr* ssids = nla_nest_start(msg, NL80211_ATTR_SCAN_SSIDS);
    nla_put(msg, 1, 0, "");
    nla_nest_end(msg, ssids);
    return request(msg);
}

int Nl80211::setType(int ifindex, IfType type) {
    nl_msg* msg = message(NL80211_CMD_SET_INTERFACE, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put_u32(msg, NL80211_ATTR_IFTYPE, static_cast<std::uint32_t>(type));
    return request(msg);
}

int Nl80211::connect(int ifindex, const JoinRequest& r) {
    nl_msg* msg = message(NL80211_CMD_CONNECT, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put(msg, NL80211_ATTR_SSID, static_cast<int>(r.ssid.size()), r.ssid.data());
    if (r.bssid)
        nla_put(msg, NL80211_ATTR_MAC, static_cast<int>(r.bssid->size()), r.bssid->data());
    if (r.frequencyMhz > 0)
        nla_put_u32(msg, NL80211_ATTR_WIPHY_FREQ, static_cast<std::uint32_t>(r.frequencyMhz));
    if (r.authType >= 0)
        nla_put_u32(msg, NL80211_ATTR_AUTH_TYPE, static_cast<std::uint32_t>(r.authType));
    if (!r.keys.empty()) {
        nla_put_flag(msg, NL80211_ATTR_PRIVACY);
        putKeys(msg, r);
    }
    return request(msg);
}

int Nl80211::disconnect(int ifindex) {
    nl_msg* msg = message(NL80211_CMD_DISCONNECT, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put_u16(msg, NL80211_ATTR_REASON_CODE, 3); // leaving
    return request(msg);
}

int Nl80211::joinAdHoc(int ifindex, const JoinRequest& r) {
    nl_msg* msg = message(NL80211_CMD_JOIN_IBSS, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put(msg, NL80211_ATTR_SSID, static_cast<int>(r.ssid.size()), r.ssid.data());
    nla_put_u32(msg, NL80211_ATTR_WIPHY_FREQ, static_cast<std::uint32_t>(r.frequencyMhz));
    // A fixed cell identity and channel: two stations started apart still find each other.
    nla_put_flag(msg, NL80211_ATTR_FREQ_FIXED);
    if (r.bssid)
        nla_put(msg, NL80211_ATTR_MAC, static_cast<int>(r.bssid->size()), r.bssid->data());
    if (!r.keys.empty()) {
        nla_put_flag(msg, NL80211_ATTR_PRIVACY);
        putKeys(msg, r);
    }
    return request(msg);
}

int Nl80211::leaveAdHoc(int ifindex) {
    nl_msg* msg = message(NL80211_CMD_LEAVE_IBSS, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    return request(msg);
}

int Nl80211::setThresholds(int wiphy, std::optional<std::uint32_t> rts,
                           std::optional<std::uint32_t> frag) {
    nl_msg* msg = message(NL80211_CMD_SET_WIPHY, 0);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put_u32(msg, NL80211_ATTR_WIPHY, static_cast<std::uint32_t>(wiphy));
    if (rts)
        nla_put_u32(msg, NL80211_ATTR_WIPHY_RTS_THRESHOLD, *rts);
    if (frag)
        nla_put_u32(msg, NL80211_ATTR_WIPHY_FRAG_THRESHOLD, *frag);
    return request(msg);
}

int Nl80211::setTxPower(int wiphy, int mbm) {
    nl_msg* msg = message(NL80211_CMD_SET_WIPHY, 0);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put_u32(msg, NL80211_ATTR_WIPHY, static_cast<std::uint32_t>(wiphy));
    if (mbm <= 0) {
        nla_put_u32(msg, NL80211_ATTR_WIPHY_TX_POWER_SETTING, NL80211_TX_POWER_AUTOMATIC);
    } else {
        nla_put_u32(msg, NL80211_ATTR_WIPHY_TX_POWER_SETTING, NL80211_TX_POWER_LIMITED);
        nla_put_u32(msg, NL80211_ATTR_WIPHY_TX_POWER_LEVEL, static_cast<std::uint32_t>(mbm));
    }
    return request(msg);
}

int Nl80211::setPowerSave(int ifindex, bool on) {
    nl_msg* msg = message(NL80211_CMD_SET_POWER_SAVE, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    nla_put_u32(msg, NL80211_ATTR_PS_STATE, on ? NL80211_PS_ENABLED : NL80211_PS_DISABLED);
    return request(msg);
}

int Nl80211::setRates(int ifindex, const std::vector<std::uint8_t>& rates) {
    nl_msg* msg = message(NL80211_CMD_SET_TX_BITRATE_MASK, 0, ifindex);
    if (msg == nullptr)
        return -ENOMEM;
    // Without NL80211_ATTR_TX_RATES the kernel goes back to every rate.
    if (!rates.empty()) {
        nlattr* all = nla_nest_start(msg, NL80211_ATTR_TX_RATES);
        nlattr* band = nla_nest_start(msg, NL80211_BAND_2GHZ);
        nla_put(msg, NL80211_TXRATE_LEGACY, static_cast<int>(rates.size()), rates.data());
        // No HT rates either: only the listed ones are sent.
        nla_put(msg, NL80211_TXRATE_HT, 0, nullptr);
        nla_nest_end(msg, band);
        nla_nest_end(msg, all);
    }
    return request(msg);
}

bool Nl80211::isUp(const std::string& name) {
    return withSocket([&](int fd) {
               ifreq req{};
               std::strncpy(req.ifr_name, name.c_str(), IFNAMSIZ - 1);
               if (ioctl(fd, SIOCGIFFLAGS, &req) != 0)
                   return -errno;
               return (req.ifr_flags & IFF_UP) != 0 ? 1 : 0;
           }) == 1;
}

int Nl80211::setUp(const std::string& name, bool up) {
    return withSocket([&](int fd) {
        ifreq req{};
        std::strncpy(req.ifr_name, name.c_str(), IFNAMSIZ - 1);
        if (ioctl(fd, SIOCGIFFLAGS, &req) != 0)
            return -errno;
        const bool isUp = (req.ifr_flags & IFF_UP) != 0;
        if (isUp == up)
            return 0;
        req.ifr_flags =
            static_cast<short>(up ? (req.ifr_flags | IFF_UP) : (req.ifr_flags & ~IFF_UP));
        return ioctl(fd, SIOCSIFFLAGS, &req) == 0 ? 0 : -errno;
    });
}

} // namespace kx::lnx
