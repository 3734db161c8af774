#include "kx02app/HexBytes.h"

namespace kx::sim {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string format(const std::uint8_t* bytes, std::size_t count, const char* digits) {
    std::string out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

} // namespace

std::optional<std::vector<std::uint8_t>> HexBytes::parse(std::string_view digits) {
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = digitValue(digits[i]);
        const int low = digitValue(digits[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string HexBytes::lower(const std::uint8_t* bytes, std::size_t count) {
    return format(bytes, count, "0123456789abcdef");
}

std::string HexBytes::upper(const std::uint8_t* bytes, std::size_t count) {
    return format(bytes, count, "0123456789ABCDEF");
}

} // namespace kx::sim
