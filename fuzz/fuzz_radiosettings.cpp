// The Linux driver's shared settings file, as any process or a damaged disk may leave it:
// whatever it reads, it writes back the same, and each value stays in its range.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "kx02linux/RadioSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto settings = kx::lnx::RadioSettings::parse(text);
    if (!settings)
        return 0;
    KX_FUZZ_CHECK(kx::lnx::RadioSettings::parse(settings->serialize()) == settings);
    KX_FUZZ_CHECK(settings->ssid.size() <= 32 && settings->apSsid.size() <= 32);
    KX_FUZZ_CHECK(settings->channel >= 1 && settings->channel <= 14);
    KX_FUZZ_CHECK(settings->filter.size() <= 16);
    for (int i = 0; i < 4; ++i)
        KX_FUZZ_CHECK(settings->key(i).size() == (settings->wepBit == 1 ? 13u : 5u));
    return 0;
}
