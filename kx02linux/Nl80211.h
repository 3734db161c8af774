#pragma once
// The kernel's Wi-Fi interface, nl80211, through libnl's generic netlink socket: the
// requests the library makes, each answering 0 or a negative errno (the kernel's
// refusal, e.g. -EPERM without CAP_NET_ADMIN, -EBUSY for the channel of a joined
// station). One socket per process, opened at the first request.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kx02linux/RadioTypes.h"

struct nl_sock;
struct nl_msg;

namespace kx::lnx {

struct WepKey final {
    int index = 0;
    std::vector<std::uint8_t> bytes; // 5 or 13
};

struct JoinRequest final {
    std::string ssid;
    std::optional<Mac> bssid;
    int frequencyMhz = 0;     // 0: any channel (infrastructure only)
    int authType = -1;        // nl80211's: 0 open system, 1 shared key; -1 automatic
    std::vector<WepKey> keys; // privacy when not empty
    int defaultKey = 0;
};

class Nl80211 final {
public:
    // The process's connection; nullptr when nl80211 cannot be reached (no cfg80211).
    static Nl80211* get();
    ~Nl80211();

    std::vector<InterfaceInfo> interfaces();
    std::optional<InterfaceInfo> interface(int ifindex);
    std::optional<WiphyInfo> wiphy(int index);
    std::vector<BssInfo> scanResults(int ifindex);
    std::vector<StationInfo> stations(int ifindex);
    std::optional<bool> powerSave(int ifindex);

    int triggerScan(int ifindex, const std::vector<int>& frequencies);
    int setType(int ifindex, IfType type);
    int connect(int ifindex, const JoinRequest& request);
    int disconnect(int ifindex);
    int joinAdHoc(int ifindex, const JoinRequest& request);
    int leaveAdHoc(int ifindex);
    int setThresholds(int wiphy, std::optional<std::uint32_t> rts,
                      std::optional<std::uint32_t> frag);
    // mbm 0: the radio's own (automatic) power; otherwise a limit.
    int setTxPower(int wiphy, int mbm);
    int setPowerSave(int ifindex, bool on);
    // Empty: every rate; otherwise only these 2.4 GHz rates (500 kbit/s units).
    int setRates(int ifindex, const std::vector<std::uint8_t>& rates);

    // The interface's administrative state (ioctl, not netlink).
    static bool isUp(const std::string& name);
    static int setUp(const std::string& name, bool up);

private:
    Nl80211() = default;
    bool open();
    nl_msg* message(int command, int flags);
    // A message about the interface `ifindex`.
    nl_msg* message(int command, int flags, int ifindex);
    // Sends and collects the answers; `each` gets every message of a reply or dump.
    template <typename Each> int request(nl_msg* msg, Each each);
    int request(nl_msg* msg);

    nl_sock* m_sock = nullptr;
    int m_family = -1;
};

} // namespace kx::lnx
