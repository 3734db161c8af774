#include "driver/WepKeyText.h"

#include <vector>

#include "driver/DriverLimits.h"
#include "driver/HexText.h"

namespace kx {

std::string WepKeyText::placeholder(WepBit keyLength) {
    std::string text;
    for (int i = 0; i < wepKeyBytes(keyLength); ++i)
        text += i == 0 ? "**" : " **";
    return text;
}

std::string WepKeyText::recordedKey(std::string_view keyText, WepBit keyLength) {
    const int n = wepKeyBytes(keyLength);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    HexText::toBytes(keyText, bytes.data(), n);
    return HexText::fromBytes(bytes.data(), bytes.size());
}

std::optional<WepBit> WepKeyText::exactKeyLength(std::string_view digits) {
    if (!HexText::parseExact(digits))
        return std::nullopt;
    for (const WepBit length : {WepBit::Bits64, WepBit::Bits128}) {
        if (digits.size() == static_cast<std::size_t>(wepKeyDigits(length)))
            return length;
    }
    return std::nullopt;
}

} // namespace kx
