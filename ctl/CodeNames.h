#pragma once
// The names kxctl gives the driver's codes, on its command line and in its machine
// output (JSON, CSV). They are never translated: scripts depend on them.

#include <optional>
#include <span>

#include <QString>

namespace kx {

class CodeNames final {
public:
    struct Name {
        int code;
        const char* name;
    };

    // Transmit rates in Mbit/s, and "auto".
    static std::span<const Name> rates();
    static std::span<const Name> networkTypes();
    static std::span<const Name> authentications();
    static std::span<const Name> preambles();
    // Link (port) states.
    static std::span<const Name> links();

    // Empty when the code has no name.
    static QString nameOf(std::span<const Name> names, int code);
    // The code of a name, letter case ignored.
    static std::optional<int> codeOf(std::span<const Name> names, const QString& name);
};

} // namespace kx
