#pragma once
// The two registry hives, kept as registry-editor text files (.reg) in one directory:
// $KXCONFIG_REGISTRY_DIR, else $XDG_DATA_HOME/kxconfig/registry
// (~/.local/share/kxconfig/registry). Key and value names are case-insensitive and
// case-preserving. Every change is a read-modify-write under a file lock, written to
// a temporary file, synced and renamed over the hive, so a hive is never torn and two
// writers never lose each other's values. A hive that does not parse is never
// overwritten: it reads as empty and every write to it fails.
//
// Text is UTF-8. Functions answer 0 on success and -1 on failure.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

enum class Hive { LocalMachine, CurrentUser };

class Registry final {
public:
    static std::filesystem::path directory();
    static std::filesystem::path hiveFile(Hive hive);

    static bool keyExists(Hive hive, std::string_view path);
    // An existing key that the user may change: the key exists, its hive parses
    // and the hive can be written. Never creates anything.
    static bool openFullAccess(Hive hive, std::string_view path);
    // Creates the key and its parents when missing; 0 when it exists afterwards.
    static int createKey(Hive hive, std::string_view path);

    // Text values read as they are, DWORD values as decimal text; -1 when the key
    // or the value is missing or of another type.
    static int readString(Hive hive, std::string_view path, std::string_view name,
                          std::string& out);
    // DWORD values, and text values that hold a decimal number.
    static int readDword(Hive hive, std::string_view path, std::string_view name,
                         std::uint32_t& out);
    // Writes need full access to an existing key. Names holding control characters
    // are refused.
    static int writeString(Hive hive, std::string_view path, std::string_view name,
                           std::string_view text);
    static int writeDword(Hive hive, std::string_view path, std::string_view name,
                          std::uint32_t value);
    static int deleteValue(Hive hive, std::string_view path, std::string_view name);

    // Names as stored (their original case), in file order.
    static std::vector<std::string> valueNames(Hive hive, std::string_view path);
    static std::vector<std::string> subKeyNames(Hive hive, std::string_view path);
};

} // namespace kx
