#pragma once
// Warnings for people on stderr, each said once per process. The program and the
// driver library both carry the platform code, so both may meet the same broken file;
// the copies share one memory of what was said (see ProcessNotice.cpp).

#include <string_view>

namespace kx {

class ProcessNotice final {
public:
    // Writes `text` and a line end to stderr unless a notice with this key was given
    // before in this process. After a thousand different notices one line says that
    // further ones are not shown.
    static void once(std::string_view key, std::string_view text);
};

} // namespace kx
