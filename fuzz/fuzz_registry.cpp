// The registry API on a hive file with any content: reads never fail hard, and a write
// that holds keeps every value that could be read before it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>

#include "fuzz/FuzzCheck.h"
#include "platform/RegKey.h"
#include "platform/Registry.h"

namespace {

constexpr kx::Hive kHive = kx::Hive::LocalMachine;
// Deep or wide hives would only make each run slower.
constexpr std::size_t kMaxKeys = 64;

using Snapshot = std::map<std::string, std::string>; // "path\nname" -> text

void collect(const std::string& path, Snapshot& values, std::size_t& keys) {
    if (++keys > kMaxKeys)
        return;
    for (const std::string& name : kx::Registry::valueNames(kHive, path)) {
        std::string text;
        if (kx::Registry::readString(kHive, path, name, text) == 0)
            values.emplace(path + '\n' + name, text);
        std::uint32_t number = 0;
        (void)kx::Registry::readDword(kHive, path, name, number);
    }
    for (const std::string& child : kx::Registry::subKeyNames(kHive, path))
        collect(path.empty() ? child : path + '\\' + child, values, keys);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A fresh registry in memory-backed storage. The warnings about broken hives stop
    // by themselves after the first thousand.
    char dir[] = "/dev/shm/kxfuzz-registry-XXXXXX";
    if (::mkdtemp(dir) == nullptr)
        std::abort();
    ::setenv("KXCONFIG_REGISTRY_DIR", dir, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kx::Registry::makeDirectory();
    const std::string file = kx::Registry::hiveFile(kHive).string();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size))
        std::abort();
    ::close(fd);

    Snapshot before;
    std::size_t keys = 0;
    collect("", before, keys);
    const bool readable = kx::Registry::createKey(kHive, "Fuzz") == 0;
    if (!readable) {
        // Never overwritten: the file is still what the person wrote.
        KX_FUZZ_CHECK(before.empty());
        return 0;
    }
    KX_FUZZ_CHECK(kx::Registry::writeString(kHive, "Fuzz", "v", "x\n\"y\"") == 0);
    std::string text;
    KX_FUZZ_CHECK(kx::Registry::readString(kHive, "Fuzz", "v", text) == 0 && text == "x\n\"y\"");
    for (const auto& [where, value] : before) {
        const std::size_t split = where.find('\n');
        const std::string path = where.substr(0, split);
        const std::string name = where.substr(split + 1);
        const std::string folded = kx::foldRegistryName(path);
        if (folded == "fuzz" || folded.starts_with("fuzz\\"))
            continue;
        std::string after;
        KX_FUZZ_CHECK(kx::Registry::readString(kHive, path, name, after) == 0);
        KX_FUZZ_CHECK(after == value);
    }
    return 0;
}
