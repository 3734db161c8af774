#include "driver/TraceArgs.h"

#include <cstring>
#include <string_view>

#include "driver/HexText.h"
#include "platform/TextCodec.h"

namespace kx {

nlohmann::json TraceArgs::bytes(const void* buffer, std::int64_t count) {
    if (buffer == nullptr || count < 0)
        return nullptr;
    return HexText::lower(static_cast<const std::uint8_t*>(buffer),
                          static_cast<std::size_t>(count));
}

nlohmann::json TraceArgs::text(const char* value, std::size_t limit) {
    if (value == nullptr)
        return nullptr;
    const std::string_view bytes(value, strnlen(value, limit));
    return TextCodec::utf16ToUtf8(TextCodec::widen(bytes));
}

nlohmann::json TraceArgs::inOut(const std::int32_t* value) {
    if (value == nullptr)
        return nullptr;
    return *value;
}

} // namespace kx
