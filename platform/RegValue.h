#pragma once
// One value of a registry key as it lives in a hive file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

struct RegValue final {
    enum class Kind { Text, Dword, Binary };

    // Registry type numbers that matter here.
    static constexpr std::uint32_t kTypeString = 1;
    static constexpr std::uint32_t kTypeExpandString = 2;
    static constexpr std::uint32_t kTypeBinary = 3;
    static constexpr std::uint32_t kTypeDword = 4;
    static constexpr std::uint32_t kTypeMultiString = 7;

    std::string name; // empty: the key's default value (@)
    Kind kind = Kind::Text;
    std::string text;                // Kind::Text, UTF-8
    std::uint32_t dword = 0;         // Kind::Dword
    std::uint32_t type = 0;          // Kind::Binary: the type number of hex(N):
    std::vector<std::uint8_t> bytes; // Kind::Binary, kept exactly as found
    std::string comment;             // "; ..." written after the value, kept as it was

    static RegValue makeText(std::string name, std::string text);
    static RegValue makeDword(std::string name, std::uint32_t value);

    // Text of text values (quoted, hex(1), hex(2)) and the decimal text of DWORDs.
    std::optional<std::string> asText() const;
    // DWORDs (dword: and hex(4)) and text values holding a decimal number.
    std::optional<std::uint32_t> asDword() const;

private:
    // A DWORD written as hex(4): four little-endian bytes.
    std::optional<std::uint32_t> binaryDword() const;
};

} // namespace kx
