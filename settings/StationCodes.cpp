#include "settings/StationCodes.h"

#include <algorithm>
#include <iterator>

#include "driver/SettingTable.h"

namespace kx {

namespace {

// Position in the list = index in the table.
constexpr std::span<const std::int32_t> kRateCodes = SettingTable::info(Setting::TxRate).offered;
constexpr std::span<const std::int32_t> kTypeCodes =
    SettingTable::info(Setting::NetworkType).offered;

int codeAt(std::span<const std::int32_t> table, int position) {
    if (position < 0 || position >= static_cast<int>(table.size()))
        return -1;
    return table[static_cast<std::size_t>(position)];
}

int positionOf(std::span<const std::int32_t> table, int value, int fallback) {
    const auto it = std::find(table.begin(), table.end(), value);
    return it == table.end() ? fallback : static_cast<int>(std::distance(table.begin(), it));
}

} // namespace

int StationCodes::rateCount() {
    return static_cast<int>(kRateCodes.size());
}

int StationCodes::typeCount() {
    return static_cast<int>(kTypeCodes.size());
}

int StationCodes::rateCode(int position) {
    return codeAt(kRateCodes, position);
}

int StationCodes::typeCode(int position) {
    return codeAt(kTypeCodes, position);
}

int StationCodes::ratePosition(int rate) {
    return positionOf(kRateCodes, rate, kAutoRatePosition);
}

int StationCodes::typePosition(int type) {
    return positionOf(kTypeCodes, type, kInfrastructurePosition);
}

} // namespace kx
