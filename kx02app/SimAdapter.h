#pragma once
// One simulated adapter: its identity from the scenario, the settings its driver
// works with, its link, counters, registers, access-point state and EEPROM. Every
// operation validates what it is given and answers as the driver contract says:
// 0 (or the value) on success, -1 on refusal, leaving the state as it was.

#include <cstdint>
#include <optional>
#include <vector>

#include "driver/kx02app.h"
#include "kx02app/AccessPointState.h"
#include "kx02app/AccessPointStore.h"
#include "kx02app/AdapterModel.h"
#include "kx02app/Airwaves.h"
#include "kx02app/Association.h"
#include "kx02app/PerSource.h"
#include "kx02app/RegisterFile.h"
#include "kx02app/RfTestState.h"
#include "kx02app/Scenario.h"
#include "kx02app/SimRandom.h"
#include "kx02app/StationConfig.h"
#include "kx02app/TrafficCounters.h"

namespace kx::sim {

class SimAdapter final {
public:
    // Values the control API can pin: while set, they are reported instead of the
    // simulated ones.
    struct Pins {
        std::optional<std::int64_t> portStatus;
        std::optional<std::int64_t> channel;
        std::optional<std::int64_t> currentTxRate;
        std::optional<std::int64_t> qualitySum;
        std::optional<std::int64_t> signal;
        std::optional<std::int64_t> packets;
        std::optional<std::int64_t> txFrames;
        std::optional<std::int64_t> rxFrames;

        template <typename Archive> void share(Archive& a) {
            a(portStatus, channel, currentTxRate, qualitySum, signal, packets, txFrames, rxFrames);
        }
    };
    struct LinkQuality {
        std::int32_t qualitySum = 0;
        std::int32_t signal = 0;
        std::int32_t packets = 0;

        template <typename Archive> void share(Archive& a) { a(qualitySum, signal, packets); }
    };

    static constexpr std::int32_t kDriverVersion = 0x01024A10; // 1.02, 2004-10-10

    SimAdapter(const Scenario::Adapter& setup, const Airwaves& air, std::uint64_t seed,
               std::int32_t handle, const std::optional<PerSource::Setup>& perSource);

    // ---- identity and life cycle
    const Scenario::Adapter& setup() const { return m_setup; }
    const AdapterModel& model() const { return m_model; }
    std::int32_t handle() const { return m_handle; }
    const MacBytes& mac() const { return m_mac; }
    bool isOpen() const { return m_open; }
    // The first open in a process starts the driver: it reads the registry and joins.
    std::int32_t open();
    std::int32_t close();
    // Brings counters up to the simulated time `now`.
    void sync(std::int64_t now);
    std::int64_t now() const { return m_now; }

    // ---- station
    std::int32_t query(Setting id) const { return m_config.get(id); }
    std::int32_t set(Setting id, std::int32_t value);
    std::int32_t channel() const;
    std::int32_t currentTxRate() const;
    std::int32_t writeKey(std::int32_t index, std::int32_t wepBit, std::int32_t isDefault,
                          const std::uint8_t* key);
    std::int32_t ssid(char* buffer) const;
    std::int32_t setSsid(const char* ssid);
    std::int32_t currentSsid(char* buffer) const;
    std::int32_t bssidText(char* buffer) const;
    std::int32_t setDesiredBssid(const std::uint8_t* bssid);
    std::int32_t portStatus() const;
    std::int32_t cqsl(std::int32_t* qualitySum, std::int32_t* signal, std::int32_t* packets);
    std::uint16_t channelMask() const;
    std::int32_t restart();
    std::int32_t setWzcDisable(std::int32_t disable);

    // ---- access point
    std::int32_t apSsid(char* buffer) const;
    std::int32_t setApSsid(const char* ssid);
    std::int32_t filterList(std::uint8_t* table, std::int32_t length) const;
    std::int32_t setFilterList(const std::uint8_t* table, std::int32_t length);
    // The network the other adapters hear while this one runs an access point.
    std::optional<Scenario::Network> beacon() const;
    bool admits(const MacBytes& station) const;

    // ---- scans, stations, counters
    std::int32_t survey(void* buffer, std::int32_t maxRecords);
    std::int32_t stationList(std::uint8_t* buffer, std::int32_t length) const;
    std::int32_t tally(std::uint8_t* buffer) const;
    std::int32_t frames(std::uint32_t* counters) const;
    std::uint32_t txFrames() const;
    std::uint32_t rxFrames() const;
    std::int32_t resetTally();

    // ---- engineering
    std::int32_t readPhy(std::int32_t reg, std::int32_t* value) const;
    std::int32_t writePhy(std::int32_t reg, std::int32_t value);
    std::int32_t readMac(std::uint32_t address, std::uint32_t* value) const;
    std::int32_t writeMac(std::uint32_t address, std::uint32_t value);
    std::int32_t readEeprom(std::uint8_t* buffer, std::int32_t length) const;
    std::int32_t writeEeprom(const std::uint8_t* buffer, std::int32_t length);
    // Replaces the image and keeps it in the state directory; false leaves it as it was.
    bool storeEeprom(const std::vector<std::uint8_t>& image);
    std::int32_t setRf(int RfTestState::*field, std::int32_t value, std::int32_t low,
                       std::int32_t high);
    // Sensitivity-test mode: the link's own traffic is no longer counted, only the
    // frames of a test transmitter, which starts its burst when the receive port is set.
    std::int32_t setSensitivityTest(std::int32_t on);
    std::int32_t setReceivePort(std::int32_t port);
    std::int32_t setAntenna(std::int32_t which, std::int32_t antenna);
    std::int32_t antenna(std::int32_t which) const;
    std::int32_t firmwareTestCommand(std::int32_t command, std::int32_t value);
    std::int32_t txPowerSetPoint(std::uint8_t* buffer) const;
    std::int32_t txPowerMeasure(std::int32_t* value) const;
    // The detector: nothing while no continuous transmission is sent; with the
    // firmware's power control on, the EEPROM set point of the test channel; else it
    // follows the PA gain.
    std::int32_t txPower() const;
    // The older chip's transmitter takes pattern (CR9) and rate (CR5) when it starts.
    std::int32_t setTxContinuous(std::int32_t on);
    // The newer chip's test command 0x40: start (with a pattern 0-2) or stop.
    std::int32_t testTransmission(std::uint16_t on, std::uint16_t pattern);
    std::int32_t setTestRate(std::uint16_t index);
    std::int32_t powerControlStatus() const;
    std::int32_t macAddress(std::uint8_t* buffer) const;
    std::int32_t firmwareVersion(std::uint8_t* buffer) const;

    // ---- state the control API reads and changes
    StationConfig& config() { return m_config; }
    const Association& link() const { return m_link; }
    TrafficCounters& counters() { return m_counters; }
    RegisterFile& registers() { return m_registers; }
    const RegisterFile& registers() const { return m_registers; }
    AccessPointState& accessPoint() { return m_ap; }
    RfTestState& rf() { return m_rf; }
    const std::vector<std::uint8_t>& eeprom() const { return m_eeprom; }
    Pins& pins() { return m_pins; }
    const LinkQuality& lastQuality() const { return m_lastQuality; }

    bool firmwareAp = false;
    bool opens = true;
    int wzc = 0;
    int wzcDisable = -1; // last argument of SetWL_DisableWirelessZeroConfiguration
    int openCount = 0;
    int restartCount = 0;
    int joinCount = 0;
    std::int32_t driverVersion = kDriverVersion;
    std::uint32_t oldDebugWords = 4; // words the old debug mode answers with

    // Joins again with the current settings (restart, changed SSID, changed firmware).
    void join();
    // A station joined to an access point of the world loses it when the access point
    // goes, or no longer matches, and searches again; a searching one joins an access
    // point that comes to match.
    void followAir();
    // Saves the access-point firmware's memory when it changed since the last save.
    void keepAccessPoint();

    // The live state that every process sharing the world sees (SharedWorld): all but
    // the scenario's part, which every process has from the same scenario, and whether
    // this process has the adapter open.
    template <typename Archive> void share(Archive& a) {
        a(m_mac, m_started, m_now, m_random, m_config, m_link, m_counters, m_registers, m_ap,
          m_savedAp, m_rf, m_perSource, m_eeprom, m_pins, m_lastQuality, firmwareAp, opens, wzc,
          wzcDisable, openCount, restartCount, joinCount, driverVersion, oldDebugWords);
    }

private:
    TrafficCounters::Load load() const;
    std::optional<Scenario::Network> joinedNetwork() const;
    Association::Target choose() const;
    bool runsAccessPoint() const;
    std::vector<MacBytes> associatedStations() const;
    int rawQuality(int goodness) const;

    Scenario::Adapter m_setup;
    const Airwaves& m_air;
    AdapterModel m_model;
    std::int32_t m_handle;
    MacBytes m_mac{};
    bool m_open = false; // by this process
    bool m_started = false;
    std::int64_t m_now = 0;
    SimRandom m_random;
    StationConfig m_config;
    Association m_link;
    TrafficCounters m_counters;
    RegisterFile m_registers;
    AccessPointState m_ap;
    AccessPointStore::Memory m_savedAp; // what the access point's memory file holds
    RfTestState m_rf;
    PerSource m_perSource;
    std::vector<std::uint8_t> m_eeprom;
    Pins m_pins;
    LinkQuality m_lastQuality;
};

} // namespace kx::sim
