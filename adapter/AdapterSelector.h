#pragma once
// Discovery of the installed adapters that match the configured hardware IDs, and
// selection of one: open it and derive the per-adapter values. The main window is the
// host: it owns the drop-down list and reacts to what selection finds.

#include <optional>

#include <QString>

#include "adapter/AdapterList.h"

namespace kx {

struct AdapterState;
struct ProgramConfig;

class AdapterHost {
public:
    virtual ~AdapterHost() = default;
    // The drop-down list.
    virtual void clearAdapterLines() = 0;
    virtual void addAdapterLine(const QString& description) = 0;
    virtual void setCurrentAdapterLine(int index) = 0;
    virtual int currentAdapterLine() const = 0;
    // Selection opened the adapter (the main window's adapter-open flag).
    virtual void adapterOpened() = 0;
    // Zero-configuration state back to unknown, then its check.
    virtual void recheckZeroConfiguration() = 0;
    virtual void applyLayout() = 0;
    // Access-point firmware found: station-list tick counter to 0.
    virtual void resetStationListTicks() = 0;
    // Station firmware found while access points are enabled: end a running scan.
    virtual void endSiteScan() = 0;
    virtual void showAccessPointSettings() = 0;
};

class AdapterSelector final {
public:
    // Selection fills `state`; the configuration names the accepted hardware.
    AdapterSelector(AdapterHost& host, AdapterList& list, AdapterState& state,
                    const ProgramConfig& config)
        : m_host(host), m_list(list), m_state(state), m_config(config) {}

    // Rebuilds the list; selects line 0 when something was accepted.
    void discover();
    // Closes the current adapter, opens the one at the host's current line.
    void select();

    // The adapter's key under HKEY_LOCAL_MACHINE for an instance key.
    static QString registryKeyFor(const char* instance);
    // The hardware ID installed with the adapter of a list entry's instance key.
    static std::optional<QString> hardwareIdOf(const char* instance);
    // Whether the configured hardware IDs take this one.
    static bool accepts(const ProgramConfig& config, const QString& id);
    // The bus's name as hardware IDs begin with it ("PCI"); `unknown` for any other kind.
    static QString busName(int busKind, const QString& unknown);

private:
    // The access-point steps of selection, when access points are enabled.
    void applyFirmwareMode();

    AdapterHost& m_host;
    AdapterList& m_list;
    AdapterState& m_state;
    const ProgramConfig& m_config;
};

} // namespace kx
