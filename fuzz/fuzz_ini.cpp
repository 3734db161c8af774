// INI reading: any bytes parse, lookups stay within the caller's buffer, and a file read
// from disk answers what the same text parsed in memory answers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

#include "fuzz/FuzzCheck.h"
#include "platform/PrivateProfile.h"
#include "platform/ProfileFile.h"

namespace {

constexpr std::u16string_view kSections[] = {u"MAIN_INFO", u"main_info", u"S", u"",
                                             u"ADAPTER_INFORMATION"};
constexpr std::u16string_view kKeys[] = {u"Release_Mode", u"k", u"", u"Fail_Avoid_Count",
                                         u"MatchingDeviceId0"};

int g_fd = -1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kx::ProfileFile parsed(kx::ProfileFile::decode(bytes));

    if (g_fd < 0)
        g_fd = ::memfd_create("fuzz.ini", 0);
    if (::ftruncate(g_fd, 0) != 0 || ::pwrite(g_fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(g_fd);
    for (std::u16string_view section : kSections) {
        for (std::u16string_view key : kKeys) {
            const std::u16string text =
                kx::PrivateProfile::getString(section, key, u"DEF", path, 8);
            KX_FUZZ_CHECK(text.size() < 8);
            const std::optional<std::u16string_view> value = parsed.value(section, key);
            KX_FUZZ_CHECK(text == (value ? value->substr(0, text.size()) : u"DEF"));
            const std::int32_t number = kx::PrivateProfile::getInt(section, key, 77, path);
            KX_FUZZ_CHECK(value || number == 77);
        }
    }
    return 0;
}
