#pragma once
// What the simulated world consists of: the adapters plugged in, the networks in
// range, the seed of the jitter and the forced results. Read from the JSON file named
// by KX02APP_SCENARIO (format in kx02app/README.md) or built in.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/MacText.h"
#include "kx02app/PerSource.h"

namespace kx::sim {

class Scenario final {
public:
    struct Adapter {
        std::string name;
        std::string description;
        std::string instance;
        std::string hardwareId;
        MacBytes mac{};
        bool accessPoint = false;
        bool opens = true;
        int wzc = 0;
        std::vector<MacBytes> stations;
        std::optional<std::uint16_t> channelMask; // EEPROM record 6 of the older chip
        std::string apSsid = "TolvaAP";
        // How the other adapters of the world hear this one while it runs an access
        // point: weaker than "TolvaNet", so "any network" still finds that one first.
        int apSignal = 70;
        int apQuality = 80;
    };

    enum NetworkMode { AdHoc = 0, Infrastructure = 1 };

    struct Network {
        std::string ssid;
        MacBytes bssid{};
        int channel = 6;
        int mode = Infrastructure;        // other numbers are further infrastructure-mode values
        std::vector<std::uint8_t> wepKey; // empty: open network
        int signal = 50;                  // raw 0..100
        int quality = 50;                 // "goodness" 0..100
        bool hidden = false;              // beacons without its SSID; joinable by name
    };

    std::vector<Adapter> adapters;
    std::vector<Network> networks;
    std::uint64_t seed = 1;
    std::map<std::string, std::int32_t> overrides;
    std::optional<PerSource::Setup> perSource; // the packet-error-rate transmitter, if any

    static Scenario builtIn();
    // Unknown keys are reported in `warnings` and ignored; anything malformed gives
    // nullopt with `error` saying what.
    static std::optional<Scenario> parse(std::string_view text, std::string& error,
                                         std::vector<std::string>& warnings);
};

} // namespace kx::sim
