#pragma once
// The driver objects behind ReadOid / WriteOid: the current address, firmware records
// (power control, and the newer chip's EEPROM commands), the newer chip's test
// commands, memory and debug counters, and the access point's SSID. Each object has a
// fixed size; a shorter buffer is refused and nothing past the object is touched.

#include <cstdint>

namespace kx::sim {

class SimAdapter;

class ObjectAccess final {
public:
    static std::int32_t read(SimAdapter& adapter, std::uint32_t oid, void* buffer,
                             std::int32_t length);
    static std::int32_t write(SimAdapter& adapter, std::uint32_t oid, void* buffer,
                              std::int32_t length);
    // How many bytes of the buffer the object uses (for the trace), 0 when unknown.
    static std::int32_t objectSize(std::uint32_t oid);
};

} // namespace kx::sim
