#include "kx02linux/LinuxDriver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "driver/HardwareId.h"
#include "driver/MacText.h"
#include "kx02linux/Nl80211.h"
#include "kx02linux/RegistryStart.h"
#include "kx02linux/SysfsDevice.h"

namespace kx::lnx {

namespace fs = std::filesystem;

namespace {

// Where the processes using the adapters meet: the system's run directory for root
// (so that every program of an administrator sees one state), else the user's.
fs::path runDirectory() {
    std::vector<fs::path> candidates;
    if (geteuid() == 0)
        candidates.emplace_back("/run/kx02linux");
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/')
        candidates.emplace_back(fs::path(runtime) / "kx02linux");
    for (const fs::path& dir : candidates) {
        mkdir(dir.c_str(), 0700);
        struct stat st {};
        if (lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
            (st.st_mode & 077) == 0)
            return dir;
    }
    return {};
}

// The address the radio came with (an interface's own may have been changed).
Mac permanentAddress(const std::string& name, const Mac& current) {
    std::ifstream in("/sys/class/net/" + name + "/phy80211/macaddress");
    std::string text;
    std::getline(in, text);
    return MacText::parse(text).value_or(current);
}

} // namespace

LinuxDriver& LinuxDriver::get() {
    static LinuxDriver* driver = new LinuxDriver;
    return *driver;
}

LinuxDriver::LinuxDriver() : m_runDir(runDirectory()) {
    if (const char* path = std::getenv("KX02APP_TRACE"); path != nullptr)
        m_trace.openFile(path);
}

std::vector<LinuxAdapter*> LinuxDriver::discover() {
    Nl80211* nl = Nl80211::get();
    if (nl == nullptr)
        return {};
    std::vector<RegistryStart::Installed> found;
    std::vector<std::string> descriptions;
    std::vector<InterfaceInfo> interfaces = nl->interfaces();
    // In the order the interfaces were made, as the system lists them.
    std::sort(interfaces.begin(), interfaces.end(),
              [](const InterfaceInfo& a, const InterfaceInfo& b) { return a.ifindex < b.ifindex; });
    for (const InterfaceInfo& i : interfaces) {
        if (i.name.empty() || i.type == IfType::Monitor || i.type == IfType::Unknown)
            continue;
        const DeviceFacts facts = SysfsDevice::read("/sys", i.name);
        found.push_back(
            {i.name, SysfsDevice::hardwareId(facts), permanentAddress(i.name, i.mac), {}});
        descriptions.push_back(SysfsDevice::description(facts, i.name));
    }
    RegistryStart::install(found);
    std::vector<LinuxAdapter*> adapters;
    for (std::size_t n = 0; n < found.size(); ++n) {
        const RegistryStart::Installed& f = found[n];
        if (f.instance.empty())
            continue;
        LinuxAdapter* known = nullptr;
        for (const auto& a : m_adapters) {
            if (a->identity().name == f.name && a->identity().instance == f.instance)
                known = a.get();
        }
        if (known == nullptr) {
            LinuxAdapter::Identity id{f.name, descriptions[n], f.instance, f.hardwareId,
                                      HardwareId::namesNewerChip(f.hardwareId)};
            m_adapters.push_back(std::make_unique<LinuxAdapter>(id, m_runDir));
            known = m_adapters.back().get();
        }
        adapters.push_back(known);
    }
    return adapters;
}

LinuxAdapter* LinuxDriver::named(const WLAdapterInfo* info) {
    if (info == nullptr)
        return nullptr;
    const std::string name(info->name, strnlen(info->name, sizeof info->name));
    const auto find = [&]() -> LinuxAdapter* {
        for (const auto& a : m_adapters) {
            if (a->identity().name == name)
                return a.get();
        }
        return nullptr;
    };
    if (LinuxAdapter* a = find())
        return a;
    discover();
    return find();
}

LinuxAdapter* LinuxDriver::forRecord(const WLAdapterInfo* info) {
    if (info == nullptr || info->handle == -1)
        return nullptr;
    const std::string name(info->name, strnlen(info->name, sizeof info->name));
    for (const auto& a : m_adapters) {
        if (a->identity().name == name && a->handle() == info->handle)
            return a.get();
    }
    return nullptr;
}

} // namespace kx::lnx
