#include "driver/SsidText.h"

#include "driver/DriverLimits.h"

namespace kx {

namespace {

bool printableByte(char16_t c) {
    return c >= 0x20 && c != 0x7F && c <= 0xFF && !(c >= 0x80 && c <= 0x9F);
}

} // namespace

std::optional<std::string> SsidText::fromTyped(std::u16string_view typed) {
    if (typed.size() > static_cast<std::size_t>(kMaxSsidBytes))
        return std::nullopt;
    std::string bytes;
    for (const char16_t c : typed) {
        if (!printableByte(c))
            return std::nullopt;
        bytes += static_cast<char>(c);
    }
    return bytes;
}

} // namespace kx
