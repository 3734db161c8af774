#pragma once
// The named state fields of the control API (kxsim_get_int, kxsim_set_text ...).
// Setting a field stores the value as it is, without the driver's range checks, so
// tests can give the program answers a real adapter might.

#include <cstdint>
#include <string>
#include <string_view>

namespace kx::sim {

class SimAdapter;

class SimFields final {
public:
    static bool getInt(SimAdapter& adapter, std::string_view field, std::int64_t& value);
    static bool setInt(SimAdapter& adapter, std::string_view field, std::int64_t value);
    static bool getText(SimAdapter& adapter, std::string_view field, std::string& text);
    static bool setText(SimAdapter& adapter, std::string_view field, std::string_view text);
    // Lets a pinned field follow the simulation again.
    static bool unpin(SimAdapter& adapter, std::string_view field);
};

} // namespace kx::sim
