// Hexadecimal text: any text fills exactly the bytes asked for and no byte beyond, and
// bytes written as text read back as the same bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/HexText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int n = data[0] % 33; // up to a little more than the longest key
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::array<std::uint8_t, 64> bytes;
    bytes.fill(0xA5);
    kx::HexText::toBytes(text, bytes.data(), n);
    for (std::size_t i = static_cast<std::size_t>(n); i < bytes.size(); ++i)
        KX_FUZZ_CHECK(bytes[i] == 0xA5);

    for (bool separator : {false, true}) {
        const std::string written =
            kx::HexText::fromBytes(bytes.data(), static_cast<std::size_t>(n), separator);
        std::array<std::uint8_t, 64> again;
        again.fill(0x5A);
        kx::HexText::toBytes(written, again.data(), n);
        KX_FUZZ_CHECK(std::memcmp(again.data(), bytes.data(), static_cast<std::size_t>(n)) == 0);
    }
    return 0;
}
