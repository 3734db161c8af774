#pragma once
// The device behind a network interface, as sysfs shows it, and the hardware identifier
// it is installed with: the form the configuration's hardware ID list is written in.
//
//   PCI:            PCI\VEN_8086&DEV_4232&SUBSYS_12018086  (subsystem device, then vendor)
//   USB:            USB\VID_0BDA&PID_8179
//   SDIO:           SD\VID_02D0&PID_4330
//   other buses:    <BUS>\<DRIVER>, e.g. PLATFORM\WL1271
//   virtual radios: VIRTUAL\<DRIVER>, e.g. VIRTUAL\MAC80211_HWSIM (the kernel's simulated radios)
//
// Hexadecimal digits and names in upper case.

#include <filesystem>
#include <string>

namespace kx::lnx {

struct DeviceFacts final {
    std::string bus;    // "pci", "usb", "sdio", another bus, or "" for a virtual device
    std::string driver; // the kernel module, e.g. "iwlwifi"
    unsigned vendor = 0;
    unsigned device = 0;
    unsigned subVendor = 0;
    unsigned subDevice = 0;
    std::string product; // what a USB device says it is, when it says
};

class SysfsDevice final {
public:
    // Reads /sys (or another root, for tests) for interface `name`.
    static DeviceFacts read(const std::filesystem::path& sysRoot, const std::string& name);
    static std::string hardwareId(const DeviceFacts& facts);
    // What the adapter list shows: the product, else the driver, and the interface.
    static std::string description(const DeviceFacts& facts, const std::string& name);
};

} // namespace kx::lnx
