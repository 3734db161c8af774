#include "kx02app/MacAddress.h"

#include <algorithm>

#include "kx02app/HexBytes.h"

namespace kx::sim {

std::optional<Mac> MacAddress::parse(std::string_view text) {
    std::string digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool separator = (c == ':' || c == '-') && i % 3 == 2 && text.size() == 17;
        if (!separator)
            digits += c;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = HexBytes::parse(digits);
    if (!bytes || bytes->size() != 6)
        return std::nullopt;
    Mac mac{};
    std::copy(bytes->begin(), bytes->end(), mac.begin());
    return mac;
}

std::string MacAddress::text(const Mac& mac) {
    std::string out;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        if (i > 0)
            out += ':';
        out += HexBytes::upper(&mac[i], 1);
    }
    return out;
}

bool MacAddress::isWildcard(const Mac& mac) {
    return std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0; }) ||
           std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0xFF; });
}

} // namespace kx::sim
