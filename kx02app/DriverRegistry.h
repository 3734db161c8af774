#pragma once
// The adapter's class key under HKEY_LOCAL_MACHINE, as the driver sees it: installing
// an adapter gives it the key and its "MatchingDeviceId"; starting the driver reads
// the settings the configuration program recorded there.

#include <string>
#include <string_view>
#include <vector>

#include "kx02app/Scenario.h"

namespace kx::sim {

class SimAdapter;

class DriverRegistry final {
public:
    static std::string keyPath(std::string_view instance);
    // Creates each adapter's key and writes its "MatchingDeviceId" where missing, in one
    // write of the hive; nothing else in the keys is touched.
    static void install(const std::vector<Scenario::Adapter>& adapters);
    // Takes every recorded setting that is present and valid; others keep their value.
    static void loadStartSettings(SimAdapter& adapter);
};

} // namespace kx::sim
