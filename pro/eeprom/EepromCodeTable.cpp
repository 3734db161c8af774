#include "pro/eeprom/EepromCodeTable.h"

namespace kx {

namespace {

constexpr EepromCodeTable::Entry kRegions[] = {
    {"USA", 0x10},   {"Canada", 0x20}, {"Most of Europe/Australia", 0x30},
    {"Spain", 0x31}, {"France", 0x32}, {"Japan", 0x40},
};
constexpr EepromCodeTable::Entry kRfModules[] = {
    {"Intersil", 0}, {"RFMD", 1},   {"Reserved", 2},      {"Philips SA2400", 3},
    {"Maxim", 4},    {"Ralink", 5}, {"Parker Vision", 6},
};
constexpr EepromCodeTable::Entry kPaTypes[] = {
    {"RFIC AP1090", 0},   {"Philips SA2411", 1}, {"RFMD RF5117", 2},
    {"Maxim MAX2442", 3}, {"GATAX GA2P4W11", 4},
};

} // namespace

std::span<const EepromCodeTable::Entry> EepromCodeTable::entries(List list) {
    switch (list) {
    case Region:
        return kRegions;
    case RfModule:
        return kRfModules;
    case PaType:
        return kPaTypes;
    }
    return {};
}

int EepromCodeTable::record(List list) {
    switch (list) {
    case Region:
        return 8;
    case RfModule:
        return 10;
    case PaType:
        return 16;
    }
    return -1;
}

int EepromCodeTable::indexOf(List list, std::uint8_t code) {
    const std::span<const Entry> table = entries(list);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace kx
