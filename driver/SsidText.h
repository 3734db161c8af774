#pragma once
// A network name (SSID) is up to 32 bytes, in no set encoding. People see it, and type
// it, as text by one rule, the same in the windows, kxctl, profile files, the registry
// and scenario files:
//   - bytes that are UTF-8 show as their characters;
//   - every other byte, and each byte of a control character, shows as "\xNN" (two
//     upper-case hexadecimal digits), and a backslash that would read as such an escape
//     shows as "\x5C".
// So a name a person can read is what they type, and any name the air brings can be
// written down and typed back to the same bytes.

#include <optional>
#include <string>
#include <string_view>

namespace kx {

class SsidText final {
public:
    // The name as people see it.
    static std::u16string shown(std::string_view bytes);
    // The bytes of a name as typed or shown ("\xNN" in either case of the digits), or
    // nothing when it cannot be one: a control character typed as such, a lone
    // surrogate, a NUL byte (the driver takes the name up to it), more than 32 bytes.
    static std::optional<std::string> fromTyped(std::u16string_view typed);
};

} // namespace kx
