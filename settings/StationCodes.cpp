#include "settings/StationCodes.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace kx {

namespace {

constexpr std::array kRateCodes{1, 2, 4, 8, 15, 16, 32, 64};
constexpr int kAutoRatePosition = 4;
constexpr std::array kTypeCodes{0, 1, 3};
constexpr int kInfrastructurePosition = 1;
constexpr int kLastChannel = 14;
constexpr int kFallbackChannel = 6;

template <std::size_t N> int codeAt(const std::array<int, N>& table, int position) {
    if (position < 0 || position >= static_cast<int>(N))
        return -1;
    return table[static_cast<std::size_t>(position)];
}

template <std::size_t N> int positionOf(const std::array<int, N>& table, int code, int fallback) {
    const auto it = std::find(table.begin(), table.end(), code);
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

int StationCodes::ratePosition(int code) {
    return positionOf(kRateCodes, code, kAutoRatePosition);
}

int StationCodes::typePosition(int code) {
    return positionOf(kTypeCodes, code, kInfrastructurePosition);
}

QList<int> StationCodes::offeredChannels(std::uint16_t mask) {
    QList<int> channels;
    for (int channel = 1; channel <= kLastChannel; ++channel) {
        if (mask & (1u << (channel - 1)))
            channels.append(channel);
    }
    return channels;
}

QList<int> StationCodes::operationChannels(int answer) {
    // A failed query answers -1, whose bits would offer every channel.
    return answer < 0 ? QList<int>{} : offeredChannels(static_cast<std::uint16_t>(answer));
}

int StationCodes::shownChannel(int reported) {
    return reported < 1 ? kFallbackChannel : reported;
}

} // namespace kx
