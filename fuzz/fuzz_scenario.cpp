// The scenario reader: any text gives a scenario or an error, never more adapters than
// the driver's list holds, and no field beyond what the driver's records can carry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "driver/kx02app.h"
#include "fuzz/FuzzCheck.h"
#include "kx02app/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::vector<std::string> warnings;
    const std::optional<kx::sim::Scenario> scenario =
        kx::sim::Scenario::parse(text, error, warnings);
    KX_FUZZ_CHECK(scenario.has_value() == error.empty());
    if (!scenario)
        return 0;
    KX_FUZZ_CHECK(scenario->adapters.size() <= WL_ADAPTER_LIST_MAX);
    for (const kx::sim::Scenario::Adapter& a : scenario->adapters) {
        KX_FUZZ_CHECK(a.instance.size() < sizeof(WLAdapterListEntry{}.instance));
        KX_FUZZ_CHECK(a.name.size() < sizeof(WLAdapterListEntry{}.name));
        KX_FUZZ_CHECK(a.apSsid.size() <= 32);
    }
    for (const kx::sim::Scenario::Network& n : scenario->networks) {
        KX_FUZZ_CHECK(n.ssid.size() <= 32);
        KX_FUZZ_CHECK(n.channel >= 1 && n.channel <= 14);
        KX_FUZZ_CHECK(n.wepKey.empty() || n.wepKey.size() == 5 || n.wepKey.size() == 13);
    }
    return 0;
}
