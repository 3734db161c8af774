#include "platform/RegValue.h"

#include "platform/TextCodec.h"

#include <charconv>
#include <string_view>

namespace kx {

namespace {
// UTF-16LE string bytes with at most one terminating NUL, which is not text.
std::string decodeRegistryString(const std::vector<std::uint8_t>& bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (!units.empty() && units.back() == u'\0')
        units.pop_back();
    return TextCodec::utf16ToUtf8(units);
}

// "%d" or "%u" text of a 32-bit number; negative numbers wrap as the writer's int did.
std::optional<std::uint32_t> parseDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (negative) {
        if (magnitude > 0x80000000ULL)
            return std::nullopt;
        return static_cast<std::uint32_t>(0x100000000ULL - magnitude);
    }
    if (magnitude > 0xFFFFFFFFULL)
        return std::nullopt;
    return static_cast<std::uint32_t>(magnitude);
}
} // namespace

RegValue RegValue::makeText(std::string name, std::string text) {
    RegValue value;
    value.name = std::move(name);
    value.kind = Kind::Text;
    value.text = std::move(text);
    return value;
}

RegValue RegValue::makeDword(std::string name, std::uint32_t dwordValue) {
    RegValue value;
    value.name = std::move(name);
    value.kind = Kind::Dword;
    value.dword = dwordValue;
    return value;
}

std::optional<std::string> RegValue::asText() const {
    switch (kind) {
    case Kind::Text:
        return text;
    case Kind::Dword:
        return std::to_string(dword);
    case Kind::Binary:
        if (type == kTypeString || type == kTypeExpandString)
            return decodeRegistryString(bytes);
        if (const std::optional<std::uint32_t> number = binaryDword(); number)
            return std::to_string(*number);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> RegValue::binaryDword() const {
    if (kind != Kind::Binary || type != kTypeDword || bytes.size() != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                      (static_cast<std::uint32_t>(bytes[3]) << 24));
}

std::optional<std::uint32_t> RegValue::asDword() const {
    if (kind == Kind::Dword)
        return dword;
    if (kind == Kind::Binary && type == kTypeDword)
        return binaryDword();
    const std::optional<std::string> value = asText();
    if (!value)
        return std::nullopt;
    return parseDecimal(*value);
}

} // namespace kx
