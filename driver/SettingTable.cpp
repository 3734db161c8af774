#include "driver/SettingTable.h"

namespace kx {

bool SettingInfo::accepts(int value) const {
    switch (check) {
    case RateCode:
        // A set of the four basic rates, or one of the three proprietary rates.
        return (value >= 1 && value <= 15) || value == 16 || value == 32 || value == 64;
    case NetworkType:
        return value == 0 || value == 1 || value == 3 || value == 4;
    case Range:
        break;
    }
    return value >= low && value <= high;
}

const SettingInfo* SettingTable::byField(std::string_view field) {
    for (const SettingInfo& s : detail::kSettings) {
        if (field == s.field)
            return &s;
    }
    return nullptr;
}

} // namespace kx
