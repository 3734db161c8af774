#include "kx02linux/SysfsDevice.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

namespace kx::lnx {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

unsigned hexNumber(const fs::path& file) {
    const std::string text = firstLine(file);
    try {
        return static_cast<unsigned>(std::stoul(text, nullptr, 16));
    } catch (...) {
        return 0;
    }
}

std::string linkName(const fs::path& link) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    return ec ? std::string() : target.filename().string();
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string hex4(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

} // namespace

DeviceFacts SysfsDevice::read(const fs::path& sysRoot, const std::string& name) {
    DeviceFacts facts;
    std::error_code ec;
    const fs::path link = sysRoot / "class/net" / name / "device";
    fs::path device = fs::canonical(link, ec);
    if (ec)
        return facts;
    facts.driver = linkName(device / "driver");
    const std::string bus = linkName(device / "subsystem");
    const fs::path devices = fs::weakly_canonical(sysRoot / "devices");
    const bool isVirtual =
        device.string().rfind((devices / "virtual").string(), 0) == 0 || bus.empty();
    if (isVirtual)
        return facts;
    facts.bus = bus;
    if (bus == "pci") {
        facts.vendor = hexNumber(device / "vendor");
        facts.device = hexNumber(device / "device");
        facts.subVendor = hexNumber(device / "subsystem_vendor");
        facts.subDevice = hexNumber(device / "subsystem_device");
    } else if (bus == "usb") {
        // The interface is bound; its device one level up holds the identity.
        if (!fs::exists(device / "idVendor"))
            device = device.parent_path();
        facts.vendor = hexNumber(device / "idVendor");
        facts.device = hexNumber(device / "idProduct");
        const std::string maker = firstLine(device / "manufacturer");
        const std::string product = firstLine(device / "product");
        facts.product = maker.empty() ? product : product.empty() ? maker : maker + " " + product;
    } else if (bus == "sdio") {
        facts.vendor = hexNumber(device / "vendor");
        facts.device = hexNumber(device / "device");
    }
    return facts;
}

std::string SysfsDevice::hardwareId(const DeviceFacts& f) {
    if (f.bus == "pci")
        return "PCI\\VEN_" + hex4(f.vendor) + "&DEV_" + hex4(f.device) + "&SUBSYS_" +
               hex4(f.subDevice) + hex4(f.subVendor);
    if (f.bus == "usb")
        return "USB\\VID_" + hex4(f.vendor) + "&PID_" + hex4(f.device);
    if (f.bus == "sdio")
        return "SD\\VID_" + hex4(f.vendor) + "&PID_" + hex4(f.device);
    const std::string driver = f.driver.empty() ? std::string("UNKNOWN") : upper(f.driver);
    return (f.bus.empty() ? std::string("VIRTUAL") : upper(f.bus)) + "\\" + driver;
}

std::string SysfsDevice::description(const DeviceFacts& f, const std::string& name) {
    std::string what = f.product;
    if (what.empty())
        what = (f.driver.empty() ? std::string("Wireless") : f.driver) + " wireless adapter";
    what += " (" + name + ")";
    // The adapter list's field holds 259 bytes.
    if (what.size() > 259)
        what.resize(259);
    return what;
}

} // namespace kx::lnx
