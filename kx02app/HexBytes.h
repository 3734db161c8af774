#pragma once
// Bytes as hexadecimal digits, both ways: WEP keys and addresses in the scenario,
// buffers in the call trace.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::sim {

class HexBytes final {
public:
    // An even number of hexadecimal digits and nothing else.
    static std::optional<std::vector<std::uint8_t>> parse(std::string_view digits);
    static std::string lower(const std::uint8_t* bytes, std::size_t count);
    static std::string upper(const std::uint8_t* bytes, std::size_t count);
};

} // namespace kx::sim
