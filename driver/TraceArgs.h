#pragma once
// How call arguments appear in the trace: numbers as numbers, text as strings (each
// byte widened to the character of the same code), input buffers as lowercase hex of
// their content on entry, output-only pointers and null pointers as null.

#include <cstddef>
#include <cstdint>

#include <nlohmann/json.hpp>

namespace kx {

class TraceArgs final {
public:
    static nlohmann::json bytes(const void* buffer, std::int64_t count);
    // Reads at most `limit` bytes of a NUL-terminated text.
    static nlohmann::json text(const char* value, std::size_t limit);
    static nlohmann::json output() { return nullptr; }
    // The value an in/out integer holds on entry.
    static nlohmann::json inOut(const std::int32_t* value);
};

} // namespace kx
