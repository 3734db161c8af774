#include "driver/MacText.h"

#include <vector>

#include "driver/HexText.h"

namespace kx {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool allHex(std::string_view text) {
    for (const char c : text) {
        if (HexText::digit(static_cast<unsigned char>(c)) < 0)
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Octets as the person wrote them: twelve digits in a row, or groups between
// separators (a colon or hyphen with blanks around it, or blanks alone).
std::vector<std::string_view> octets(std::string_view text) {
    constexpr std::size_t kDigitsInARow = 12;
    std::vector<std::string_view> groups;
    if (text.size() == kDigitsInARow && allHex(text)) {
        for (std::size_t i = 0; i < kDigitsInARow; i += 2)
            groups.push_back(text.substr(i, 2));
        return groups;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isBlank(text[i]) && text[i] != ':' && text[i] != '-') {
            ++i;
            continue;
        }
        groups.push_back(text.substr(start, i - start));
        std::size_t marks = 0;
        while (i < text.size() && (isBlank(text[i]) || text[i] == ':' || text[i] == '-')) {
            if (!isBlank(text[i]))
                ++marks;
            ++i;
        }
        if (marks > 1) // "00::0A" leaves an empty octet between the marks
            groups.emplace_back();
        start = i;
    }
    groups.push_back(text.substr(start));
    return groups;
}

} // namespace

std::string MacText::format(const std::uint8_t* mac6, Style style) {
    std::string text;
    for (int i = 0; i < WL_MAC_BYTES; ++i) {
        if (i > 0)
            text += style == Style::Blanks ? ' ' : ':';
        text += style == Style::LowerColons ? HexText::lower(mac6 + i, 1)
                                            : HexText::fromBytes(mac6 + i, 1);
    }
    return text;
}

std::optional<MacText::Mac> MacText::parse(std::string_view text) {
    const std::vector<std::string_view> groups = octets(trimmed(text));
    Mac mac{};
    if (groups.size() != mac.size())
        return std::nullopt;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const std::string_view group = groups[i];
        if (group.empty() || group.size() > 2 || !allHex(group))
            return std::nullopt;
        int value = 0;
        for (const char c : group)
            value = value * 16 + HexText::digit(static_cast<unsigned char>(c));
        mac[i] = static_cast<std::uint8_t>(value);
    }
    return mac;
}

} // namespace kx
