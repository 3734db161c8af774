#pragma once
// What the configuration program has asked of one adapter: the network to join or the
// access point to run, the keys, and the settings the kernel does not keep itself. The
// kernel holds the rest (thresholds, power saving, transmit power, the link) and is
// asked for it each time.
//
// Every process using the adapter shares these through a file in the run directory
// (text lines "name=value", written whole and renamed over the old one), so that a join
// made by kxctl is what the tray program shows; a new file is made from the registry
// when the machine has started afresh, as a driver reads it when it loads.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/DriverLimits.h"
#include "driver/kx02app.h"
#include "kx02linux/RadioTypes.h"

namespace kx::lnx {

struct RadioSettings final {
    static constexpr int kKeyCount = kWepKeyCount;
    static constexpr int kFilterEntries = WL_FILTER_ENTRIES;

    int networkType = 1;      // the contract's codes: 0 ad hoc, 1 infrastructure, 4 access point
    std::string ssid;         // the network to join; empty: none chosen
    std::optional<Mac> bssid; // narrows the next join to this network
    int channel = 6;          // for an ad hoc network or access point this adapter starts
    int authMode = 3;         // 1 open system, 2 shared key, 3 automatic
    int wepStatus = 0;
    int wepBit = 0; // 0: 5-byte keys, 1: 13-byte keys
    std::array<std::vector<std::uint8_t>, kKeyCount> keys;
    int defaultKey = 0;
    int txRate = 15;
    int psLevel = 0;
    int preamble = 3;
    int basicRate = 3;
    // The access point.
    std::string apSsid;
    int apHidden = 0;
    int apTxPower = 0;  // 0 (full power) to 3
    int filterMode = 0; // 0 off, 1 accept only the listed, 2 reject the listed
    std::vector<Mac> filter;

    // The keys in use: four keys of the length wepBit gives (missing bytes are zero).
    std::vector<std::uint8_t> key(int index) const;

    std::string serialize() const;
    // Lines it cannot read keep their defaults; nullopt only for text that is not ours.
    static std::optional<RadioSettings> parse(std::string_view text);

    bool operator==(const RadioSettings&) const = default;
};

} // namespace kx::lnx
