#pragma once
// A program record opened on one simulated adapter, and short reads of the
// simulation's state, for the simulated driver's own tests.

#include <cstdint>
#include <cstring>
#include <string>

#include "kx02app/kxsim.h"

namespace kx::test {

inline constexpr const char* kPciName = "KX3102_PCI_0007";
inline constexpr const char* kCardName = "KX3101_PCMCIA_0008";
inline constexpr const char* kUsbName = "KX3101_USB_0009";

class SimRecord final {
public:
    explicit SimRecord(const char* name = kPciName) {
        info.handle = -1;
        std::strncpy(info.name, name, sizeof info.name - 1);
        opened = KxOpenAdapter(&info);
    }
    WLAdapterInfo* operator->() { return &info; }
    WLAdapterInfo* get() { return &info; }

    WLAdapterInfo info{};
    std::int32_t opened = 0;
};

inline std::int64_t simInt(const char* adapter, const char* field) {
    std::int64_t value = -12345;
    kxsim_get_int(adapter, field, &value);
    return value;
}

inline std::string simText(const char* adapter, const char* field) {
    char buffer[300] = {};
    kxsim_get_text(adapter, field, buffer, sizeof buffer);
    return buffer;
}

inline std::string lastTraceLine() {
    const int n = kxsim_trace_count();
    const int length = kxsim_trace_line(n - 1, nullptr, 0);
    if (length < 0)
        return {};
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    kxsim_trace_line(n - 1, line.data(), length + 1);
    line.resize(static_cast<std::size_t>(length));
    return line;
}

} // namespace kx::test
