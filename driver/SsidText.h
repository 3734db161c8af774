#pragma once
// A network name as a person types it (a dialog, kxctl, a profile file) and the bytes
// the adapter receives for it.

#include <optional>
#include <string>
#include <string_view>

namespace kx {

class SsidText final {
public:
    // The bytes sent for a typed name, or nothing when it cannot be one: every character
    // goes as one byte, so a character that is no single byte would reach the adapter
    // as another one; a control character never belongs in a name; at most 32 bytes.
    static std::optional<std::string> fromTyped(std::u16string_view typed);
};

} // namespace kx
