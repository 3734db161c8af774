#pragma once
// Whether this process may change an adapter. Reading needs nothing; changing needs
// CAP_NET_ADMIN, and an interface that another program manages (NetworkManager,
// wpa_supplicant, iwd, ConnMan, a hostapd not started by this library) is left to it:
// the library never fights over an interface. The reason is said to the user as is.

#include <filesystem>
#include <string>

namespace kx::lnx {

struct SystemRoots final {
    std::filesystem::path run = "/run";
    std::filesystem::path varRun = "/var/run";
    std::filesystem::path proc = "/proc";
};

class AccessCheck final {
public:
    // The effective CAP_NET_ADMIN of this process.
    static bool hasNetAdmin();
    // The program that manages interface `name` (index `ifindex`), or empty.
    static std::string manager(const SystemRoots& roots, const std::string& name, int ifindex);
    // Empty when changes are allowed; otherwise why not, in a sentence for the user.
    static std::string readOnlyReason(bool netAdmin, const std::string& manager,
                                      const std::string& name);
};

} // namespace kx::lnx
