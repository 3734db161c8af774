#pragma once
// A MAC address as text. What a person types is read strictly: six octets of one or
// two hexadecimal digits separated by blanks, colons or hyphens, or twelve digits in a
// row, with blanks around the whole ignored. Anything else is no address, so a typo
// never turns into a different address. Addresses are written in one of three forms.

#include <optional>
#include <string>
#include <string_view>

#include "driver/ObjectLayouts.h"

namespace kx {

class MacText final {
public:
    using Mac = MacBytes;
    enum class Style {
        Blanks,     // "00 0A 1B 2C 3D 4E": the windows and the human-readable tables
        Colons,     // "00:0A:1B:2C:3D:4E": the scenario and the driver's BSSID text
        LowerColons // "00:0a:1b:2c:3d:4e": what network tools and scripts read
    };

    static std::string format(const std::uint8_t* mac6, Style style = Style::Blanks);
    static std::string format(const Mac& mac, Style style = Style::Blanks) {
        return format(mac.data(), style);
    }
    // nullopt for anything that is not an address, an empty text included. The text is
    // UTF-8 or single-byte: a byte outside ASCII is never a digit.
    static std::optional<Mac> parse(std::string_view text);
};

} // namespace kx
