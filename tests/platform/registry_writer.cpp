// Writes registry values from a separate process for the registry tests:
//   registry_writer loop <key>             payloads into "payload" until killed; writes
//                                          one byte to stdout once the first write held
//   registry_writer many <key> <prefix> <count>   values <prefix>0 .. as DWORDs
//   registry_writer set <key> <name> <text>       one text value
// Exit code 0 when every write succeeded. The hive directory comes from the
// environment like in the program.

#include "platform/Registry.h"
#include "tests/platform/RegistryPayload.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

int loop(std::string_view key) {
    for (std::uint32_t n = 1;; ++n) {
        if (kx::Registry::writeString(kx::Hive::LocalMachine, key, "payload",
                                      kx::test::registryPayload(n)) != 0)
            return 1;
        if (n == 1 && ::write(STDOUT_FILENO, "r", 1) != 1)
            return 1;
    }
}

int many(std::string_view key, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        if (kx::Registry::writeDword(kx::Hive::LocalMachine, key, prefix + std::to_string(i),
                                     static_cast<std::uint32_t>(i)) != 0)
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 2 ? argv[1] : "";
    if (mode == "loop")
        return loop(argv[2]);
    if (mode == "many" && argc == 5)
        return many(argv[2], argv[3], std::atoi(argv[4]));
    if (mode == "set" && argc == 5)
        return kx::Registry::writeString(kx::Hive::LocalMachine, argv[2], argv[3], argv[4]) == 0
                   ? 0
                   : 1;
    return 2;
}
