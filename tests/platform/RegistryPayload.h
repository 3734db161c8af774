#pragma once
// The text a writer stores in its n-th write. Lengths vary from a few bytes to a few
// kilobytes, so a torn file would show as a payload that does not match its number;
// some payloads hold line breaks and quotes, which take the hex(1) form.

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace kx::test {

inline std::string registryPayload(std::uint32_t n) {
    std::string text = std::to_string(n) + ':';
    const std::size_t length = 8 + (n * 7919u) % 3000u;
    // Whole characters only: the hives hold UTF-8 text, so a lone byte of a sequence
    // would not come back as written.
    constexpr std::string_view alphabet[] = {"a", "b", "c",  "\\",       "\"", "X",
                                             "Y", "Z", "\n", "\xC3\xA9", " "};
    constexpr std::size_t count = std::size(alphabet);
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[(i + n) % count];
    return text;
}

// True when text is exactly the payload of the number it starts with.
inline bool isWholePayload(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 9 ||
        text.find_first_not_of("0123456789") != colon)
        return false;
    const unsigned long n = std::stoul(text.substr(0, colon));
    return registryPayload(static_cast<std::uint32_t>(n)) == text;
}

} // namespace kx::test
