#include "platform/Registry.h"

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/FileStamp.h"
#include "platform/ProcessNotice.h"
#include "platform/RegParser.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <pwd.h>
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
// Hives hold WEP keys.
constexpr mode_t kPrivateFile = 0600;

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

// A bracket could end the section line early or start another.
bool breaksSectionLine(char c) {
    return isControl(c) || c == '[' || c == ']';
}

// Components must be non-empty and must not be able to break the section line.
bool isValidKeyPath(std::string_view path) {
    if (path.empty())
        return true;
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
        return false;
    return std::none_of(path.begin(), path.end(), breaksSectionLine);
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

// Problems are set here as they are met, for lastFailure().
thread_local RegistryFailure t_lastFailure;

int fail(const fs::path& file, std::string reason) {
    t_lastFailure = RegistryFailure{file, std::move(reason)};
    return -1;
}

std::string errorText(int error) {
    return std::strerror(error);
}

// Installing keys happens at the driver's start; see ensureValues().
constexpr std::chrono::seconds kInstallLockWait(2);

std::mutex g_readOnlyMutex;
std::optional<RegistryFailure> g_readOnly;

std::optional<RegistryFailure> readOnlyReason() {
    const std::lock_guard lock(g_readOnlyMutex);
    return g_readOnly;
}

// The whole file and the stamp of what was read, or the reason it cannot be a hive.
struct ReadResult {
    enum { Ok, Missing, Failed } status = Failed;
    std::string reason;
};

ReadResult readFile(const fs::path& file, std::string& content, FileStamp& stamp) {
    // O_NONBLOCK: a FIFO in the hive's place must not block the open. O_NOFOLLOW: a hive
    // is a file of ours, never a link to somebody's.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT)
            return {ReadResult::Missing, {}};
        return {ReadResult::Failed, errno == ELOOP ? "is a symbolic link" : errorText(errno)};
    }
    const std::optional<FileStamp> opened = FileStamp::ofDescriptor(fd);
    struct stat st {};
    std::string problem;
    if (!opened || ::fstat(fd, &st) != 0)
        problem = errorText(errno);
    else if (S_ISDIR(st.st_mode))
        problem = "is a directory";
    else if (!S_ISREG(st.st_mode))
        problem = "is not a regular file";
    else if (opened->size > kMaxHiveSize)
        problem = "is larger than 64 MiB";
    if (!problem.empty()) {
        ::close(fd);
        return {ReadResult::Failed, problem};
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
    const int readError = errno;
    ::close(fd);
    if (n < 0)
        return {ReadResult::Failed, errorText(readError)};
    stamp = *opened;
    return {ReadResult::Ok, {}};
}

// Says once per process which lines of a hive were skipped, and where.
void reportSkipped(const fs::path& file, const std::vector<RegSkippedLine>& skipped) {
    std::map<std::string, int> seen; // the same text twice is two lines
    for (const RegSkippedLine& line : skipped) {
        const int occurrence = ++seen[line.reason + '\n' + line.text];
        const std::string key = "skipped\n" + file.string() + '\n' + line.reason + '\n' +
                                line.text + '\n' + std::to_string(occurrence);
        ProcessNotice::once(key, "kxconfig: registry file " + file.string() + ", line " +
                                     std::to_string(line.line) + ": " + line.reason +
                                     "; the line is skipped and kept as written");
    }
}

std::string brokenReason(const RegParseError& error) {
    return "does not parse at line " + std::to_string(error.line) + " (" + error.reason + ")";
}

// nullptr when the hive file cannot be read: nothing may be read from it and nothing
// written over it (`reason` says why). A missing file is an empty hive.
std::shared_ptr<const RegHive> loadFresh(Hive hive, const fs::path& file, FileStamp& stamp,
                                         std::string& reason) {
    std::string content;
    const ReadResult read = readFile(file, content, stamp);
    switch (read.status) {
    case ReadResult::Missing:
        stamp = FileStamp{};
        return std::make_shared<const RegHive>(rootName(hive));
    case ReadResult::Failed:
        reason = read.reason;
        return nullptr;
    case ReadResult::Ok:
        break;
    }
    auto parsed = std::make_shared<RegHive>(rootName(hive));
    RegParseError error;
    std::vector<RegSkippedLine> skipped;
    if (RegParser::parse(content, *parsed, error, skipped) != 0) {
        reason = brokenReason(error);
        ProcessNotice::once("broken\n" + file.string() + '\n' +
                                std::to_string(std::hash<std::string_view>{}(content)),
                            "kxconfig: registry file " + file.string() + ' ' + reason +
                                "; it is left unchanged");
        return nullptr;
    }
    reportSkipped(file, skipped);
    return parsed;
}

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const RegHive> hive;
};

// Why the registry directory must not be used, or nothing: hives and links that another
// user could put there would be taken for ours, and the keys written there would be
// theirs. The administrator's (root's) directory may be read as it may not be written.
std::optional<RegistryFailure> foreignDirectory() {
    const fs::path dir = Registry::directory();
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0)
        return std::nullopt; // missing, or for the read or write to find out
    std::string problem;
    if (!S_ISDIR(st.st_mode))
        problem = "is not a directory";
    else if (st.st_uid != ::geteuid() && st.st_uid != 0)
        problem = "belongs to another user";
    else if ((st.st_mode & 022) != 0)
        problem = "may be written by other users";
    if (problem.empty())
        return std::nullopt;
    ProcessNotice::once("foreign\n" + dir.string() + '\n' + problem,
                        "kxconfig: registry directory " + dir.string() + ' ' + problem +
                            "; no setting is read from it or written to it");
    return RegistryFailure{dir, problem};
}

// Parsed hives by path; an entry is used only while the file's stamp is unchanged and
// the file had settled before it was read. nullptr (with `failure` when asked for) when
// the hive cannot be read.
std::shared_ptr<const RegHive> load(Hive hive, RegistryFailure* failure = nullptr) {
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
    // Checked when a hive is read afresh: an unchanged hive was read from a directory
    // that was ours, and a status tick reads the registry several times.
    if (const std::optional<RegistryFailure> foreign = foreignDirectory()) {
        if (failure)
            *failure = *foreign;
        return nullptr;
    }
    const std::int64_t readStart = FileStamp::nowNs();
    FileStamp stamp;
    std::string problem;
    std::shared_ptr<const RegHive> parsed = loadFresh(hive, file, stamp, problem);
    if (failure)
        *failure = RegistryFailure{file, problem};
    const std::lock_guard lock(mutex);
    if (parsed && stamp.inode != 0 && stamp.isSettled(readStart)) {
        if (cache.size() >= kMaxCached)
            cache.clear();
        cache[file.string()] = CacheEntry{stamp, parsed};
    } else
        cache.erase(file.string());
    return parsed;
}

// 0 when `path` may be written, else errno.
int writeAccess(const fs::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// Renaming needs the directory; an existing hive the user may not write stays as it is.
int checkHiveAccess(const fs::path& file) {
    if (const int error = writeAccess(file.parent_path()); error != 0)
        return fail(file.parent_path(), errorText(error));
    if (const int error = writeAccess(file); error != 0 && error != ENOENT)
        return fail(file, errorText(error));
    return 0;
}

enum class Directory { Existing, Create };

// The registry directory, made 0700 when missing (its parents as usual). Our own
// directory that others may enter is tightened; one the user named is left as it is (its
// files are private all the same), unless it is another user's or others may write it.
int prepareDirectory(Directory directory) {
    const fs::path dir = Registry::directory();
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return fail(dir, errorText(errno));
        if (directory == Directory::Existing)
            return 0;
        std::error_code ec;
        fs::create_directories(dir.parent_path(), ec);
        if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
            return fail(dir, errorText(errno));
        return 0;
    }
    if (S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0 &&
        envValue("KXCONFIG_REGISTRY_DIR").empty())
        ::chmod(dir.c_str(), st.st_mode & 0700);
    if (const std::optional<RegistryFailure> foreign = foreignDirectory())
        return fail(foreign->file, foreign->reason);
    return 0;
}

fs::path lockFileOf(const fs::path& hiveFile) {
    return fs::path(hiveFile).concat(".lock");
}

// What a change did to the hive.
enum class Change { Failed, None, Done };

using Changer = std::function<Change(RegHive&, std::string& why)>;

// Read-modify-write of one hive under its lock; 0 when the change held.
int modify(Hive hive, Directory directory, const Changer& change,
           std::chrono::milliseconds lockWait = FileLock::kWriterWait) {
    const fs::path file = Registry::hiveFile(hive);
    if (const std::optional<RegistryFailure> readOnly = readOnlyReason())
        return fail(readOnly->file, readOnly->reason);
    if (prepareDirectory(directory) != 0 || checkHiveAccess(file) != 0)
        return -1;
    const FileLock lock(lockFileOf(file), lockWait);
    if (!lock.isHeld())
        return fail(lockFileOf(file), lock.reason());
    FileStamp stamp;
    std::string reason;
    const std::shared_ptr<const RegHive> current = loadFresh(hive, file, stamp, reason);
    if (!current)
        return fail(file, reason);
    RegHive changed = *current;
    switch (change(changed, reason)) {
    case Change::Failed:
        return fail(file, reason);
    case Change::None:
        return 0;
    case Change::Done:
        break;
    }
    AtomicFile::removeLeftovers(file);
    if (AtomicFile::replace(file, changed.serialize(), kPrivateFile, reason) != 0)
        return fail(file, reason);
    return 0;
}

int setValue(Hive hive, std::string_view path, RegValue value) {
    if (!isValidKeyPath(path) || !isValidValueName(value.name))
        return fail(Registry::hiveFile(hive), "unusable key or value name");
    return modify(hive, Directory::Existing, [&](RegHive& h, std::string& why) {
        // The program never creates an adapter's key: writing needs an existing key.
        if (!h.keyExists(path)) {
            why = "there is no key " + std::string(path);
            return Change::Failed;
        }
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

std::string Registry::keyNameProblem(std::string_view name) {
    if (name.empty())
        return "the name is empty";
    if (name.find('\\') != std::string_view::npos ||
        std::any_of(name.begin(), name.end(), breaksSectionLine))
        return "a name holds no backslash, no square bracket and no control character";
    return {};
}

bool Registry::keyExists(Hive hive, std::string_view path) {
    const std::shared_ptr<const RegHive> h = load(hive);
    return h && isValidKeyPath(path) && h->keyExists(path);
}

bool Registry::openFullAccess(Hive hive, std::string_view path) {
    RegistryFailure failure;
    const std::shared_ptr<const RegHive> h = load(hive, &failure);
    if (!h) {
        fail(failure.file, failure.reason);
        return false;
    }
    if (!isValidKeyPath(path) || !h->keyExists(path)) {
        fail(hiveFile(hive), "there is no key " + std::string(path));
        return false;
    }
    if (const std::optional<RegistryFailure> readOnly = readOnlyReason()) {
        fail(readOnly->file, readOnly->reason);
        return false;
    }
    return checkHiveAccess(hiveFile(hive)) == 0;
}

int Registry::createKey(Hive hive, std::string_view path) {
    if (!isValidKeyPath(path))
        return fail(hiveFile(hive), "unusable key name");
    if (keyExists(hive, path))
        return 0;
    return modify(hive, Directory::Create, [&](RegHive& h, std::string&) {
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
        return fail(hiveFile(hive), "unusable key name");
    return modify(hive, Directory::Existing, [&](RegHive& h, std::string& why) {
        RegKey* key = h.findKey(path);
        if (key && key->removeValue(name))
            return Change::Done;
        why = "there is no value " + std::string(name) + " in " + std::string(path);
        return Change::Failed;
    });
}

int Registry::deleteKey(Hive hive, std::string_view path) {
    // The root key of a hive is the hive itself.
    if (!isValidKeyPath(path) || path.empty())
        return fail(hiveFile(hive), "unusable key name");
    return modify(hive, Directory::Existing, [&](RegHive& h, std::string& why) {
        if (!h.keyExists(path)) {
            why = "there is no key " + std::string(path);
            return Change::Failed;
        }
        h.removeKey(path);
        return Change::Done;
    });
}

int Registry::ensureValues(Hive hive, const std::vector<RegistryDefault>& defaults) {
    std::vector<const RegistryDefault*> usable;
    for (const RegistryDefault& d : defaults) {
        if (isValidKeyPath(d.path) && isValidValueName(d.name))
            usable.push_back(&d);
    }
    const auto missing = [&](const RegHive& h) {
        return std::any_of(usable.begin(), usable.end(), [&](const RegistryDefault* d) {
            const RegKey* key = h.findKey(d->path);
            return !key || !key->findValue(d->name);
        });
    };
    const std::shared_ptr<const RegHive> current = load(hive);
    const auto install = [&](RegHive& h, std::string&) {
        if (!missing(h))
            return Change::None;
        for (const RegistryDefault* d : usable) {
            RegKey& key = h.ensureKey(d->path);
            if (!key.findValue(d->name))
                key.setValue(RegValue::makeText(d->name, d->text));
        }
        return Change::Done;
    };
    const int result = current && !missing(*current)
                           ? 0
                           : modify(hive, Directory::Create, install, kInstallLockWait);
    if (result == 0 && usable.size() < defaults.size())
        return fail(hiveFile(hive), "unusable key or value name");
    return result;
}

int Registry::change(Hive hive, const std::vector<RegistryChange>& changes) {
    using Kind = RegistryChange::Kind;
    if (changes.empty())
        return 0;
    const bool usable = std::all_of(changes.begin(), changes.end(), [](const RegistryChange& c) {
        return isValidKeyPath(c.path) && (c.kind == Kind::CreateKey || isValidValueName(c.name));
    });
    if (!usable)
        return fail(hiveFile(hive), "unusable key or value name");
    return modify(hive, Directory::Create, [&](RegHive& h, std::string& why) {
        for (const RegistryChange& c : changes) {
            if (c.kind == Kind::CreateKey) {
                h.ensureKey(c.path);
                continue;
            }
            RegKey* key = h.findKey(c.path);
            if (c.kind == Kind::RemoveValue) {
                if (key)
                    key->removeValue(c.name);
                continue;
            }
            if (!key) {
                why = "there is no key " + c.path;
                return Change::Failed;
            }
            key->setValue(c.kind == Kind::WriteText ? RegValue::makeText(c.name, c.text)
                                                    : RegValue::makeDword(c.name, c.dword));
        }
        return Change::Done;
    });
}

RegistryFailure Registry::lastFailure() {
    return t_lastFailure;
}

int Registry::makeDirectory() {
    return prepareDirectory(Directory::Create);
}

int Registry::waitForLocks(std::chrono::milliseconds wait) {
    if (prepareDirectory(Directory::Create) != 0)
        return 0;
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        const fs::path lockFile = lockFileOf(hiveFile(hive));
        const FileLock lock(lockFile, wait);
        if (!lock.isHeld() && lock.error() == EWOULDBLOCK)
            return fail(lockFile, lock.reason());
    }
    return 0;
}

void Registry::setReadOnly(std::optional<RegistryFailure> why) {
    const std::lock_guard lock(g_readOnlyMutex);
    g_readOnly = std::move(why);
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
