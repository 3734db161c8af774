#pragma once
// What the adapters of one world hear: the scenario's networks in range and the access
// points the adapters themselves run, and which station adapters are associated with
// an access point. Asked afresh each time, so a change of an access point's SSID,
// channel, keys or filter reaches the stations at once.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "kx02app/Association.h"
#include "kx02app/Scenario.h"

namespace kx::sim {

class SimAdapter;

class Airwaves final {
public:
    Airwaves(const std::vector<Scenario::Network>& networks,
             const std::vector<std::unique_ptr<SimAdapter>>& adapters)
        : m_networks(networks), m_adapters(adapters) {}

    // Networks at this index or later are access points of the world's adapters.
    std::size_t scenarioCount() const { return m_networks.size(); }
    // The scenario's networks in order, then the access points on the air, except the
    // listener's own.
    std::vector<Scenario::Network> heardBy(const SimAdapter& listener) const;
    // As heardBy, without the access points whose filter refuses the listener.
    std::vector<Scenario::Network> joinableBy(const SimAdapter& listener) const;
    // The network a join target stands for, while the listener can still reach it.
    std::optional<Scenario::Network> find(const SimAdapter& listener,
                                          const Association::Target& target) const;
    // The station adapters linked to `accessPoint` that its filter lets in.
    std::vector<MacBytes> clientsOf(const SimAdapter& accessPoint) const;

private:
    std::vector<Scenario::Network> hear(const SimAdapter& listener, bool joinable) const;

    const std::vector<Scenario::Network>& m_networks;
    const std::vector<std::unique_ptr<SimAdapter>>& m_adapters;
};

} // namespace kx::sim
