#pragma once
// Six-byte station and network addresses, as the scenario writes them and as the
// driver reports them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::sim {

using Mac = std::array<std::uint8_t, 6>;

class MacAddress final {
public:
    // "00:0A:1B:2C:3D:4E", with colons, hyphens or no separator.
    static std::optional<Mac> parse(std::string_view text);
    // Upper case with colons: "00:0A:1B:2C:3D:4E".
    static std::string text(const Mac& mac);
    // All zero or all 0xFF: no particular network.
    static bool isWildcard(const Mac& mac);
};

} // namespace kx::sim
