#pragma once
// Written EEPROM images, kept beside the other adapter state (StateFile): one file
// "eeprom-<instance>.bin" per adapter.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kx::sim {

class EepromStore final {
public:
    static std::filesystem::path directory();
    // The stored image when one of exactly `size` bytes exists.
    static std::optional<std::vector<std::uint8_t>> load(std::string_view instance,
                                                         std::size_t size);
    // Written to a temporary file and renamed over the old one; false on any failure.
    static bool save(std::string_view instance, std::span<const std::uint8_t> image);

private:
    static std::filesystem::path file(std::string_view instance);
};

} // namespace kx::sim
