#pragma once
// The link status line built from the port status the driver reports, and what it
// means for the rest of the display: whether the adapter counts as connected and
// whether signal and quality are worth showing (only when joined to an access point).

#include <optional>

#include <QString>

namespace kx {

class ConnectingDots;
class LanguageTable;

struct LinkStatus final {
    QString text;
    bool connected = false;
    bool hideSignal = true;

    // Whether the line depends on the network type (so the caller queries it).
    static bool needsNetworkType(int port);
    // Whether a port status is a link: joined, ad hoc, WDS or pseudo IBSS.
    static bool isLink(int port);
    // Whether the line carries the BSSID (so the caller queries it).
    static bool needsBssid(int port, bool showBssid);

    // bssid: the joined network's BSSID text, nullopt when its query failed.
    static LinkStatus build(const LanguageTable& table, int port, int networkType, bool showBssid,
                            const std::optional<QString>& bssid, ConnectingDots& dots);
};

} // namespace kx
