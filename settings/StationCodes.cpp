#include "settings/StationCodes.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "driver/DriverCodes.h"

namespace kx {

namespace {

// Position in the list = index in the table.
constexpr std::array kRateCodes{code(RateCode::Mbps1),     code(RateCode::Mbps2),
                                code(RateCode::Mbps5_5),   code(RateCode::Mbps11),
                                code(RateCode::Automatic), code(RateCode::Mbps16_5),
                                code(RateCode::Mbps22),    code(RateCode::Mbps27_5)};
constexpr std::array kTypeCodes{code(NetworkType::AdHoc), code(NetworkType::Infrastructure),
                                code(NetworkType::PseudoIbss)};

template <std::size_t N> int codeAt(const std::array<int, N>& table, int position) {
    if (position < 0 || position >= static_cast<int>(N))
        return -1;
    return table[static_cast<std::size_t>(position)];
}

template <std::size_t N> int positionOf(const std::array<int, N>& table, int value, int fallback) {
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
