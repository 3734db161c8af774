#pragma once
// The adapter's key under HKEY_LOCAL_MACHINE, as the driver sees it: installing an
// adapter gives it a key (an instance number of its own, kept with its permanent
// address) and its "MatchingDeviceId"; starting it reads what the configuration
// program recorded there.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kx02linux/RadioSettings.h"

namespace kx::lnx {

class RegistryStart final {
public:
    struct Installed {
        std::string name; // the interface
        std::string hardwareId;
        Mac permanentAddress{};
        std::string instance; // filled by install()
    };
    // Gives every adapter its instance: the key that already carries its permanent
    // address, else the first free number from 0000; writes the keys that are missing in
    // one write of the hive.
    static void install(std::vector<Installed>& adapters);

    // The values the kernel holds, for the start to hand to it.
    struct Recorded {
        std::optional<std::uint32_t> rts;
        std::optional<std::uint32_t> frag;
        std::optional<bool> powerSave;
    };
    // Every recorded value that is present and valid goes into `settings`.
    static Recorded read(const std::string& instance, RadioSettings& settings);
};

} // namespace kx::lnx
