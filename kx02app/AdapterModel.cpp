#include "kx02app/AdapterModel.h"

#include "driver/HardwareId.h"

namespace kx::sim {

namespace {

const BusLayout& layoutOf(int bus) {
    const BusLayout* layout = HardwareId::layout(BusKind{bus});
    return layout ? *layout : *HardwareId::layout(BusPcmcia);
}

} // namespace

AdapterModel::AdapterModel(std::string_view hardwareId) {
    if (const BusLayout* bus = HardwareId::busOf(hardwareId))
        m_bus = bus->kind;
    // The newer chip is on PCI cards only.
    if (HardwareId::namesNewerChip(hardwareId)) {
        m_chip = ChipVersion::Newer;
        m_bus = BusPci;
    }
}

int AdapterModel::eepromSize(int bus) {
    return layoutOf(bus).eepromSize;
}

int AdapterModel::extendedOffset(int bus) {
    return layoutOf(bus).extendedOffset;
}

} // namespace kx::sim
