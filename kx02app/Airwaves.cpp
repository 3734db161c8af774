#include "kx02app/Airwaves.h"

#include "kx02app/SimAdapter.h"

namespace kx::sim {

std::vector<Scenario::Network> Airwaves::hear(const SimAdapter& listener, bool joinable) const {
    std::vector<Scenario::Network> heard = m_networks;
    for (const auto& adapter : m_adapters) {
        if (adapter.get() == &listener || (joinable && !adapter->admits(listener.mac())))
            continue;
        if (std::optional<Scenario::Network> beacon = adapter->beacon())
            heard.push_back(std::move(*beacon));
    }
    return heard;
}

std::vector<Scenario::Network> Airwaves::heardBy(const SimAdapter& listener) const {
    return hear(listener, false);
}

std::vector<Scenario::Network> Airwaves::joinableBy(const SimAdapter& listener) const {
    return hear(listener, true);
}

std::optional<Scenario::Network> Airwaves::find(const SimAdapter& listener,
                                                const Association::Target& target) const {
    if (target.network < 0)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(target.network);
    if (index < m_networks.size())
        return m_networks[index];
    // Access points come and go, so their place in the list does not last: the BSSID does.
    std::vector<Scenario::Network> heard = joinableBy(listener);
    for (std::size_t i = m_networks.size(); i < heard.size(); ++i) {
        if (heard[i].bssid == target.bssid)
            return std::move(heard[i]);
    }
    return std::nullopt;
}

std::vector<MacBytes> Airwaves::clientsOf(const SimAdapter& accessPoint) const {
    std::vector<MacBytes> clients;
    for (const auto& adapter : m_adapters) {
        const Association& link = adapter->link();
        const Association::Target& target = link.target();
        if (adapter.get() != &accessPoint && target.kind == LinkKind::Infrastructure &&
            target.network >= static_cast<int>(m_networks.size()) &&
            target.bssid == accessPoint.mac() && link.linked(adapter->now()) &&
            accessPoint.admits(adapter->mac()))
            clients.push_back(adapter->mac());
    }
    return clients;
}

} // namespace kx::sim
