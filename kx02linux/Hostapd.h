#pragma once
// Access-point mode: hostapd on the interface, started by the library with a
// configuration written from the adapter's settings, and spoken to through its control
// socket. Its files live in the library's run directory, so a hostapd that another
// program started is never touched (AccessCheck leaves such an interface alone).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "kx02linux/RadioSettings.h"

namespace kx::lnx {

class Hostapd final {
public:
    struct Files {
        std::filesystem::path config;
        std::filesystem::path accept;
        std::filesystem::path deny;
        std::filesystem::path pid;
        std::filesystem::path log;
        std::filesystem::path controlDir;
        std::filesystem::path control; // the interface's socket in controlDir
    };
    static Files files(const std::filesystem::path& runDir, const std::string& ifname);

    // The configuration for these settings; the thresholds as the kernel holds them
    // (UINT32_MAX: off), so that starting hostapd keeps them.
    static std::string config(const RadioSettings& s, const std::string& ifname, const Files& f,
                              std::uint32_t rts, std::uint32_t frag);
    // One MAC address a line, as hostapd's accept and deny files take them.
    static std::string macList(const std::vector<Mac>& macs);
    // The SSID an access point gets when none was ever given.
    static std::string defaultSsid(const std::string& ifname);

    // Writes the files and starts hostapd unless it already runs with this very
    // configuration; 0 once it answers on its control socket.
    static int apply(const Files& f, const std::string& config, const RadioSettings& s);
    static int stop(const Files& f);
    static bool running(const Files& f);
    // The reply, or nullopt when hostapd does not answer.
    static std::optional<std::string> request(const Files& f, const std::string& command);
    // Changes the filter of the running hostapd and sends away the stations it no
    // longer admits; 0 when hostapd took every change.
    static int applyFilter(const Files& f, const std::string& config, const RadioSettings& s,
                           const std::vector<Mac>& stations);
};

} // namespace kx::lnx
