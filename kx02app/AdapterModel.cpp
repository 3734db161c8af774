#include "kx02app/AdapterModel.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace kx::sim {

namespace {

constexpr std::array<std::string_view, 3> kNewerChipDevices{
    "PCI\\VEN_1C7E&DEV_2102", "PCI\\VEN_1C7E&DEV_2105", "PCI\\VEN_1C7E&DEV_2112"};

struct BusPrefix {
    std::string_view prefix;
    AdapterModel::Bus bus;
};
constexpr std::array<BusPrefix, 3> kBusPrefixes{
    {{"PCMCIA", AdapterModel::Pcmcia}, {"PCI", AdapterModel::Pci}, {"USB", AdapterModel::Usb}}};

} // namespace

AdapterModel::AdapterModel(std::string_view hardwareId) {
    std::string upper(hardwareId);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (std::string_view device : kNewerChipDevices) {
        if (upper.starts_with(device))
            m_chip = kNewerChip;
    }
    const std::string_view prefix = std::string_view(upper).substr(0, upper.find('\\'));
    for (const BusPrefix& p : kBusPrefixes) {
        if (prefix == p.prefix)
            m_bus = p.bus;
    }
    if (m_chip == kNewerChip)
        m_bus = Pci;
}

} // namespace kx::sim
