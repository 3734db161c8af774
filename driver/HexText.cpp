#include "driver/HexText.h"

#include <algorithm>

namespace kx {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

std::string pairs(const std::uint8_t* bytes, std::size_t n, bool separator, const char* digits) {
    std::string text;
    if (bytes == nullptr)
        return text;
    text.reserve(n * 3);
    for (std::size_t i = 0; i < n; ++i) {
        if (separator && i > 0)
            text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

} // namespace

int HexText::digit(char32_t c) {
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A' + 10);
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a' + 10);
    return -1;
}

void HexText::toBytes(std::string_view text, std::uint8_t* bytes, int n) {
    if (bytes == nullptr || n <= 0)
        return;
    std::fill(bytes, bytes + n, std::uint8_t{0});
    int filled = 0;
    int pending = -1; // a first digit waiting for its partner
    for (const char c : text) {
        const int value = digit(static_cast<unsigned char>(c));
        if (value >= 0) {
            if (pending >= 0) {
                bytes[filled++] = static_cast<std::uint8_t>(pending * 16 + value);
                pending = -1;
            } else if (filled == n) {
                return;
            } else {
                pending = value;
            }
        } else if (isSeparator(c)) {
            if (pending >= 0)
                bytes[filled++] = static_cast<std::uint8_t>(pending);
            pending = -1;
        } else {
            return; // a lone digit before the stray character is dropped
        }
    }
    if (pending >= 0)
        bytes[filled] = static_cast<std::uint8_t>(pending);
}

std::optional<std::uint32_t> HexText::number(std::string_view digits, int maxDigits) {
    if (digits.size() > static_cast<std::size_t>(std::clamp(maxDigits, 0, 8)))
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int d = digit(static_cast<unsigned char>(c));
        if (d < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return value;
}

std::optional<std::vector<std::uint8_t>> HexText::parseExact(std::string_view digits) {
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = digit(static_cast<unsigned char>(digits[i]));
        const int low = digit(static_cast<unsigned char>(digits[i + 1]));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string HexText::fromBytes(const std::uint8_t* bytes, std::size_t n, bool separator) {
    return pairs(bytes, n, separator, "0123456789ABCDEF");
}

std::string HexText::lower(const std::uint8_t* bytes, std::size_t n) {
    return pairs(bytes, n, false, "0123456789abcdef");
}

} // namespace kx
