#include "platform/Registry.h"

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/FileStamp.h"
#include "platform/RegParser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRootNames[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"};

// A hive is a few kilobytes; anything far larger is not one of ours.
constexpr std::int64_t kMaxHiveSize = 64 * 1024 * 1024;
// Parsed hives kept at once; the program uses two.
constexpr std::size_t kMaxCached = 16;

const char* rootName(Hive hive) {
    return kRootNames[static_cast<int>(hive)];
}

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool isValidValueName(std::string_view name) {
    return std::none_of(name.begin(), name.end(), isControl);
}

// Components must be non-empty and must not be able to break the section line.
bool isValidKeyPath(std::string_view path) {
    if (path.empty())
        return true;
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
        return false;
    return std::none_of(path.begin(), path.end(),
                        [](char c) { return isControl(c) || c == '[' || c == ']'; });
}

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path homeDirectory() {
    const std::string home = envValue("HOME");
    if (!home.empty())
        return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "/";
}

enum class ReadResult { Ok, Missing, Failed };

// The whole file and the stamp of what was read.
ReadResult readFile(const fs::path& file, std::string& content, FileStamp& stamp) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    const std::optional<FileStamp> opened = FileStamp::ofDescriptor(fd);
    struct stat st {};
    if (!opened || opened->size > kMaxHiveSize || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (n < 0)
        return ReadResult::Failed;
    stamp = *opened;
    return ReadResult::Ok;
}

// Says once per process and per broken content which file is broken and where.
void reportBroken(const fs::path& file, std::string_view content, const RegParseError& error) {
    static std::mutex mutex;
    static std::set<std::pair<std::string, std::size_t>> reported;
    const std::lock_guard lock(mutex);
    if (!reported.emplace(file.string(), std::hash<std::string_view>{}(content)).second)
        return;
    std::fprintf(stderr,
                 "kxconfig: registry file %s does not parse at line %zu (%s); it is left "
                 "unchanged\n",
                 file.c_str(), error.line, error.reason.c_str());
}

// nullptr when the hive file is broken or unreadable: nothing may be read from it and
// nothing written over it. A missing file is an empty hive.
std::shared_ptr<const RegHive> loadFresh(Hive hive, const fs::path& file, FileStamp& stamp) {
    std::string content;
    switch (readFile(file, content, stamp)) {
    case ReadResult::Missing:
        stamp = FileStamp{};
        return std::make_shared<const RegHive>(rootName(hive));
    case ReadResult::Failed:
        return nullptr;
    case ReadResult::Ok:
        break;
    }
    auto parsed = std::make_shared<RegHive>(rootName(hive));
    RegParseError error;
    if (RegParser::parse(content, *parsed, error) != 0) {
        reportBroken(file, content, error);
        return nullptr;
    }
    return parsed;
}

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const RegHive> hive;
};

// Parsed hives by path; an entry is used only while the file's stamp is unchanged and
// the file had settled before it was read.
std::shared_ptr<const RegHive> load(Hive hive) {
    static std::mutex mutex;
    static std::map<std::string, CacheEntry> cache;
    const fs::path file = Registry::hiveFile(hive);
    const std::optional<FileStamp> current = FileStamp::ofPath(file);
    {
        const std::lock_guard lock(mutex);
        const auto it = cache.find(file.string());
        if (current && it != cache.end() && it->second.stamp == *current)
            return it->second.hive;
    }
    const std::int64_t readStart = FileStamp::nowNs();
    FileStamp stamp;
    std::shared_ptr<const RegHive> parsed = loadFresh(hive, file, stamp);
    const std::lock_guard lock(mutex);
    if (parsed && stamp.inode != 0 && stamp.isSettled(readStart)) {
        if (cache.size() >= kMaxCached)
            cache.clear();
        cache[file.string()] = CacheEntry{stamp, parsed};
    } else
        cache.erase(file.string());
    return parsed;
}

bool mayWrite(const fs::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Renaming needs the directory; an existing hive the user may not write stays as it is.
bool mayWriteHive(const fs::path& file) {
    if (!mayWrite(file.parent_path()))
        return false;
    return mayWrite(file) || errno == ENOENT;
}

// What a change did to the hive.
enum class Change { Failed, None, Done };

enum class Directory { Existing, Create };

// Read-modify-write of one hive under its lock; 0 when the change held.
int modify(Hive hive, Directory directory, const std::function<Change(RegHive&)>& change) {
    const fs::path file = Registry::hiveFile(hive);
    if (directory == Directory::Create) {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
    }
    const FileLock lock(fs::path(file).concat(".lock"));
    if (!lock.isHeld())
        return -1;
    FileStamp stamp;
    const std::shared_ptr<const RegHive> current = loadFresh(hive, file, stamp);
    if (!current)
        return -1;
    RegHive changed = *current;
    switch (change(changed)) {
    case Change::Failed:
        return -1;
    case Change::None:
        return 0;
    case Change::Done:
        break;
    }
    if (!mayWriteHive(file))
        return -1;
    AtomicFile::removeLeftovers(file);
    return AtomicFile::replace(file, changed.serialize());
}

int setValue(Hive hive, std::string_view path, RegValue value) {
    if (!isValidKeyPath(path) || !isValidValueName(value.name))
        return -1;
    return modify(hive, Directory::Existing, [&](RegHive& h) {
        // The program never creates an adapter's key: writing needs an existing key.
        if (!h.keyExists(path))
            return Change::Failed;
        h.ensureKey(path).setValue(std::move(value));
        return Change::Done;
    });
}

const RegValue* findValue(const RegHive* hive, std::string_view path, std::string_view name) {
    if (!hive || !isValidKeyPath(path))
        return nullptr;
    const RegKey* key = hive->findKey(path);
    return key ? key->findValue(name) : nullptr;
}

} // namespace

fs::path Registry::directory() {
    const std::string explicitDir = envValue("KXCONFIG_REGISTRY_DIR");
    if (!explicitDir.empty())
        return explicitDir;
    const std::string dataHome = envValue("XDG_DATA_HOME");
    // Relative values are invalid by the base-directory rules and are ignored.
    const fs::path base = (!dataHome.empty() && dataHome.front() == '/')
                              ? fs::path(dataHome)
                              : homeDirectory() / ".local" / "share";
    return base / "kxconfig" / "registry";
}

fs::path Registry::hiveFile(Hive hive) {
    return directory() / (std::string(rootName(hive)) + ".reg");
}

bool Registry::keyExists(Hive hive, std::string_view path) {
    const std::shared_ptr<const RegHive> h = load(hive);
    return h && isValidKeyPath(path) && h->keyExists(path);
}

bool Registry::openFullAccess(Hive hive, std::string_view path) {
    return keyExists(hive, path) && mayWriteHive(hiveFile(hive));
}

int Registry::createKey(Hive hive, std::string_view path) {
    if (!isValidKeyPath(path))
        return -1;
    if (keyExists(hive, path))
        return 0;
    return modify(hive, Directory::Create, [&](RegHive& h) {
        if (h.findKey(path))
            return Change::None;
        h.ensureKey(path);
        return Change::Done;
    });
}

int Registry::readString(Hive hive, std::string_view path, std::string_view name,
                         std::string& out) {
    const std::shared_ptr<const RegHive> h = load(hive);
    const RegValue* value = findValue(h.get(), path, name);
    const std::optional<std::string> text = value ? value->asText() : std::nullopt;
    if (!text)
        return -1;
    out = *text;
    return 0;
}

int Registry::readDword(Hive hive, std::string_view path, std::string_view name,
                        std::uint32_t& out) {
    const std::shared_ptr<const RegHive> h = load(hive);
    const RegValue* value = findValue(h.get(), path, name);
    const std::optional<std::uint32_t> number = value ? value->asDword() : std::nullopt;
    if (!number)
        return -1;
    out = *number;
    return 0;
}

int Registry::writeString(Hive hive, std::string_view path, std::string_view name,
                          std::string_view text) {
    return setValue(hive, path, RegValue::makeText(std::string(name), std::string(text)));
}

int Registry::writeDword(Hive hive, std::string_view path, std::string_view name,
                         std::uint32_t value) {
    return setValue(hive, path, RegValue::makeDword(std::string(name), value));
}

int Registry::deleteValue(Hive hive, std::string_view path, std::string_view name) {
    if (!isValidKeyPath(path))
        return -1;
    return modify(hive, Directory::Existing, [&](RegHive& h) {
        RegKey* key = h.findKey(path);
        return key && key->removeValue(name) ? Change::Done : Change::Failed;
    });
}

std::vector<std::string> Registry::valueNames(Hive hive, std::string_view path) {
    const std::shared_ptr<const RegHive> h = load(hive);
    const RegKey* key = h && isValidKeyPath(path) ? h->findKey(path) : nullptr;
    std::vector<std::string> names;
    if (key) {
        for (const RegValue& value : key->values)
            names.push_back(value.name);
    }
    return names;
}

std::vector<std::string> Registry::subKeyNames(Hive hive, std::string_view path) {
    const std::shared_ptr<const RegHive> h = load(hive);
    if (!h || !isValidKeyPath(path))
        return {};
    return h->subKeyNames(path);
}

} // namespace kx
