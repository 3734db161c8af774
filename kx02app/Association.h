#pragma once
// The adapter's link: what it joined (or is trying to join) since its last restart.
// A join passes through "connecting" for a while before it is up; a join that found
// nothing suitable stays connecting.

#include <cstdint>
#include <string>

#include "driver/MacText.h"

namespace kx::sim {

enum class LinkKind { Searching, Infrastructure, AdHoc, OwnAdHoc, PseudoIbss, AccessPoint };

class Association final {
public:
    static constexpr std::int64_t kConnectingMs = 1500;
    enum PortStatus {
        Disconnected = 1,
        Connecting = 2,
        AdHocConnected = 3,
        Connected = 4,
        PseudoIbssConnected = 9
    };

    struct Target {
        LinkKind kind = LinkKind::Searching;
        int network = -1; // index of the joined network, -1 for none or our own
        MacBytes bssid{};
        std::string ssid;
        int channel = -1;

        template <typename Archive> void share(Archive& a) {
            a(kind, network, bssid, ssid, channel);
        }
    };

    void begin(const Target& target, std::int64_t now);
    bool started() const { return m_started; }
    int portStatus(std::int64_t now) const;
    bool linked(std::int64_t now) const;
    // When the link came (or comes) up; never for a search that found nothing.
    std::int64_t linkedFrom() const;
    const Target& target() const { return m_target; }

    template <typename Archive> void share(Archive& a) { a(m_started, m_since, m_target); }

private:
    bool m_started = false;
    std::int64_t m_since = 0;
    Target m_target;
};

} // namespace kx::sim
