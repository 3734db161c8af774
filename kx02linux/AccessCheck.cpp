#include "kx02linux/AccessCheck.h"

#include <fstream>
#include <set>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kx::lnx {

namespace fs = std::filesystem;

namespace {

bool isSocket(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::set<std::string> runningPrograms(const fs::path& proc) {
    std::set<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(proc, ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (std::getline(comm, name))
            names.insert(name);
    }
    return names;
}

// NetworkManager keeps a file per device it knows; "managed=false" there means an
// administrator took the device from it ("nmcli device set wlan0 managed no").
bool networkManagerLetGo(const fs::path& run, int ifindex) {
    std::ifstream state(run / "NetworkManager/devices" / std::to_string(ifindex));
    std::string line;
    while (std::getline(state, line)) {
        if (line == "managed=false" || line == "managed=0")
            return true;
    }
    return false;
}

} // namespace

bool AccessCheck::hasNetAdmin() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    return (data[CAP_NET_ADMIN / 32].effective & (1u << (CAP_NET_ADMIN % 32))) != 0;
}

std::string AccessCheck::manager(const SystemRoots& roots, const std::string& name, int ifindex) {
    const std::set<std::string> programs = runningPrograms(roots.proc);
    if (programs.count("NetworkManager") != 0 && !networkManagerLetGo(roots.run, ifindex))
        return "NetworkManager";
    if (programs.count("iwd") != 0)
        return "iwd";
    if (programs.count("connmand") != 0)
        return "ConnMan";
    for (const fs::path& run : {roots.run, roots.varRun}) {
        if (isSocket(run / "wpa_supplicant" / name))
            return "wpa_supplicant";
        if (isSocket(run / "hostapd" / name))
            return "hostapd";
    }
    return {};
}

std::string AccessCheck::readOnlyReason(bool netAdmin, const std::string& manager,
                                        const std::string& name) {
    if (!manager.empty())
        return name + " is managed by " + manager + ", which this program leaves it to";
    if (!netAdmin)
        return "changing " + name + " needs the CAP_NET_ADMIN capability (root)";
    return {};
}

} // namespace kx::lnx
