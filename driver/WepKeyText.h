#pragma once
// WEP keys as text: the placeholders that stand for stored keys, typed key text brought
// into the recorded form, and the exact keys of the command line and profile files.

#include <optional>
#include <string>
#include <string_view>

#include "driver/DriverCodes.h"

namespace kx {

class WepKeyText final {
public:
    // "** ** ** ** **" with one group per key byte.
    static std::string placeholder(WepBit keyLength);
    // The key as recorded: the single-byte text parsed as hexadecimal into the key's
    // bytes (unparsed bytes 0) and written back as upper-case digit pairs.
    static std::string recordedKey(std::string_view keyText, WepBit keyLength);
    // A key given whole: 10 (64-bit) or 26 (128-bit) hexadecimal digits and nothing else.
    static std::optional<WepBit> exactKeyLength(std::string_view digits);
};

} // namespace kx
