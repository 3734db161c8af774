#include "driver/HardwareId.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kx {

namespace {

constexpr std::array<BusLayout, 3> kBuses{{
    {"PCMCIA", BusPcmcia, 512, 256},
    {"PCI", BusPci, 512, 256},
    {"USB", BusUsb, 2048, 1792},
}};

constexpr std::array<std::string_view, 3> kNewerChipIds{
    "PCI\\VEN_1C7E&DEV_2102", "PCI\\VEN_1C7E&DEV_2105", "PCI\\VEN_1C7E&DEV_2112"};

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const BusLayout> HardwareId::buses() {
    return kBuses;
}

const BusLayout* HardwareId::busOf(std::string_view id) {
    const std::size_t slash = id.find('\\');
    if (slash == std::string_view::npos)
        return nullptr;
    for (const BusLayout& bus : kBuses) {
        if (sameLetters(id.substr(0, slash), bus.prefix))
            return &bus;
    }
    return nullptr;
}

const BusLayout* HardwareId::layout(BusKind kind) {
    for (const BusLayout& bus : kBuses) {
        if (bus.kind == kind)
            return &bus;
    }
    return nullptr;
}

bool HardwareId::namesNewerChip(std::string_view id) {
    const std::string_view head = id.substr(0, std::min(id.size(), kNewerChipIdLength));
    return std::any_of(kNewerChipIds.begin(), kNewerChipIds.end(),
                       [&](std::string_view known) { return sameLetters(head, known); });
}

} // namespace kx
