#pragma once
// The two registry hives, kept as registry-editor text files (.reg) in one directory:
// $KXCONFIG_REGISTRY_DIR, else $XDG_DATA_HOME/kxconfig/registry
// (~/.local/share/kxconfig/registry). Key and value names are case-insensitive and
// case-preserving. Every change is a read-modify-write under a file lock, written to
// a temporary file, synced and renamed over the hive, so a hive is never torn and two
// writers never lose each other's values. Hives are read as the registry editor imports
// .reg files (platform/RegParser.h): lines it cannot read are skipped with a warning on
// stderr, and a rewrite keeps them and the comments. A hive that cannot be read at all
// is never overwritten: it reads as empty and every write to it fails.
//
// Hives hold WEP keys: the directory is made 0700, every hive, temporary and lock file
// 0600, and one of ours that others could read is tightened at the next write (the
// directory only at its default place: a $KXCONFIG_REGISTRY_DIR may be any directory).
//
// Text is UTF-8. Functions answer 0 on success and -1 on failure.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

enum class Hive { LocalMachine, CurrentUser };

// Why a write failed: the file (or directory) it could not write and the reason, e.g.
// "Permission denied".
struct RegistryFailure final {
    std::filesystem::path file;
    std::string reason;
};

// A value that a key should have, written only where it is missing.
struct RegistryDefault final {
    std::string path;
    std::string name;
    std::string text;
};

// One change of Registry::change.
struct RegistryChange final {
    enum class Kind { CreateKey, WriteText, WriteDword, RemoveValue };
    Kind kind;
    std::string path;
    std::string name; // of the value
    std::string text;
    std::uint32_t dword = 0;
};

class Registry final {
public:
    static std::filesystem::path directory();
    static std::filesystem::path hiveFile(Hive hive);

    // Why `name` cannot name one key below another (empty when it can): a backslash would
    // address a subkey, a square bracket or a control character would break the hive.
    static std::string keyNameProblem(std::string_view name);

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
    // The key with its values and all its subkeys; -1 when there is no such key.
    static int deleteKey(Hive hive, std::string_view path);
    // Creates every missing key and writes every missing value (values already there are
    // kept), all in one write of the hive. Entries with unusable names are left out and
    // make the result -1. Unlike the other writes, which wait up to
    // FileLock::kWriterWait for another writer, it gives up after two seconds: the driver
    // calls it while the program starts, which a stuck lock must not stall.
    static int ensureValues(Hive hive, const std::vector<RegistryDefault>& defaults);

    // Several changes written together, in order, in one write of the hive: all of them,
    // or none with -1 and lastFailure() saying why. Values need an existing key (or one a
    // change before creates), as writeString does; removing a missing value is no change.
    static int change(Hive hive, const std::vector<RegistryChange>& changes);

    // Why the last failed write of this thread failed. Not cleared by a later success.
    static RegistryFailure lastFailure();

    // Creates the registry directory 0700 when missing, and tightens it (see above).
    static int makeDirectory();
    // -1 when another program holds a hive's lock for longer than `wait`, lastFailure()
    // naming it; other problems are left to the writes that meet them. Start-up asks
    // this before its first write, so that a stuck lock cannot stall it at every write.
    static int waitForLocks(std::chrono::milliseconds wait);
    // While set, every write fails at once with `why` as its failure.
    static void setReadOnly(std::optional<RegistryFailure> why);

    // Names as stored (their original case), in file order.
    static std::vector<std::string> valueNames(Hive hive, std::string_view path);
    static std::vector<std::string> subKeyNames(Hive hive, std::string_view path);
};

} // namespace kx
