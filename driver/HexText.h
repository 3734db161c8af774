#pragma once
// Hexadecimal text, both ways, by one set of rules for the windows, kxctl, profile
// files, the scenario and the call trace.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

class HexText final {
public:
    // A hexadecimal digit's value, -1 for any other character. Checked on the character
    // as typed (its UTF-16 unit or code point): narrowing first would let a character
    // whose low byte is a digit pass.
    static int digit(char32_t c);
    // The rule of typed keys and addresses: pairs of digits make bytes; blanks and tabs
    // separate; a single digit before a blank, a tab or the end is one byte; the first
    // other character ends the parse. Exactly n bytes are written, unfilled ones 0.
    static void toBytes(std::string_view text, std::uint8_t* bytes, int n);
    // A number of at most maxDigits hexadecimal digits and nothing else, none read as 0
    // (UTF-8 or single-byte text: a byte outside ASCII is never a digit).
    static std::optional<std::uint32_t> number(std::string_view digits, int maxDigits);
    // An even number of digits and nothing else; nothing for any other text.
    static std::optional<std::vector<std::uint8_t>> parseExact(std::string_view digits);
    // Upper-case pairs; with separator, single blanks between pairs.
    static std::string fromBytes(const std::uint8_t* bytes, std::size_t n, bool separator = false);
    // Lower-case pairs without separator, as machine-read files carry bytes.
    static std::string lower(const std::uint8_t* bytes, std::size_t n);
};

} // namespace kx
