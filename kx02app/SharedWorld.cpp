#include "kx02app/SharedWorld.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "kx02app/StateFile.h"
#include "platform/ProcessNotice.h"

namespace kx::sim {

namespace {

constexpr std::array<char, 8> kMagic{'K', 'X', 'W', 'O', 'R', 'L', 'D', '1'};
constexpr std::size_t kBootIdBytes = 40;
// magic, boot id, shape, payload size, payload checksum
constexpr std::size_t kHeaderBytes = kMagic.size() + kBootIdBytes + 3 * sizeof(std::uint64_t);
// A world of fifty adapters with busy registers stays far below this; a larger file is
// no state of ours.
constexpr std::size_t kMaxStateBytes = 64 * 1024 * 1024;
constexpr int kFileFlags = O_CLOEXEC | O_NOFOLLOW;
constexpr mode_t kPrivate = 0600;

// Changes with every start of the machine; empty where the system does not say.
const std::string& bootId() {
    static const std::string id = [] {
        std::ifstream in("/proc/sys/kernel/random/boot_id");
        std::string line;
        std::getline(in, line);
        return line.substr(0, kBootIdBytes);
    }();
    return id;
}

void putWord(std::string& out, std::uint64_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::uint64_t wordAt(std::string_view bytes, std::size_t offset) {
    std::uint64_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

void warn(const std::filesystem::path& file, const std::string& what) {
    ProcessNotice::once("kx02app world " + file.string() + ' ' + what,
                        "kx02app: " + file.string() + ": " + what +
                            "; the simulated adapters are not shared with other programs");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::uint64_t SharedWorld::hash(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

SharedWorld::~SharedWorld() {
    close();
}

void SharedWorld::close() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (m_usersFd >= 0)
        ::close(m_usersFd);
    m_lockFd = -1;
    m_usersFd = -1;
    m_firstUser = false;
    m_locked = false;
    m_generation.reset();
    m_fileBytes.reset();
}

void SharedWorld::bind(std::uint64_t scenario) {
    close();
    char name[32];
    std::snprintf(name, sizeof name, "world-%016llx", static_cast<unsigned long long>(scenario));
    const std::filesystem::path dir = StateFile::directory();
    if (dir.empty())
        return;
    m_stateFile = dir / (std::string(name) + ".state");
    const std::filesystem::path lockFile = dir / (std::string(name) + ".lock");
    const std::filesystem::path usersFile = dir / (std::string(name) + ".users");
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    m_lockFd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | kFileFlags, kPrivate);
    if (m_lockFd < 0) {
        warn(lockFile, std::strerror(errno));
        return;
    }
    struct stat st {};
    if (::fstat(m_lockFd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        // Another user's file: sharing with it would hand that user our adapters.
        warn(lockFile, "is no file of this user");
        close();
        return;
    }
    if (!joinUsers(usersFile))
        close();
}

bool SharedWorld::joinUsers(const std::filesystem::path& usersFile) {
    m_usersFd = ::open(usersFile.c_str(), O_RDWR | O_CREAT | kFileFlags, kPrivate);
    struct stat st {};
    if (m_usersFd < 0 || ::fstat(m_usersFd, &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid()) {
        warn(usersFile, m_usersFd < 0 ? std::strerror(errno) : "is no file of this user");
        return false;
    }
    // Nobody else holding it: no process uses this world any more.
    m_firstUser = ::flock(m_usersFd, LOCK_EX | LOCK_NB) == 0;
    while (::flock(m_usersFd, LOCK_SH) != 0) {
        if (errno != EINTR) {
            warn(usersFile, std::strerror(errno));
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> SharedWorld::readGeneration() const {
    std::uint64_t generation = 0;
    const ssize_t n = ::pread(m_lockFd, &generation, sizeof generation, 0);
    if (n < 0)
        return std::nullopt;
    // A lock file nobody has counted in yet.
    return n == static_cast<ssize_t>(sizeof generation) ? generation : 0;
}

std::optional<SharedWorld::State> SharedWorld::enter() {
    if (m_lockFd < 0)
        return std::nullopt;
    while (::flock(m_lockFd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return std::nullopt; // as if this process were alone; leave() writes nothing
    }
    m_locked = true;
    const std::optional<std::uint64_t> generation = readGeneration();
    if (m_firstUser) {
        // What an earlier run left is no adapter anybody drives: ours replaces it.
        m_firstUser = false;
        m_generation = generation;
        m_fileBytes.reset();
        return std::nullopt;
    }
    if (!generation || generation == m_generation)
        return std::nullopt;
    m_generation = generation;
    std::optional<State> state = readState();
    if (state)
        m_fileBytes = state->bytes;
    else
        m_fileBytes.reset(); // nothing usable there: ours replaces it
    return state;
}

std::optional<SharedWorld::State> SharedWorld::readState() const {
    const int fd = ::open(m_stateFile.c_str(), O_RDONLY | kFileFlags);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    struct stat st {};
    const bool fits = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                      static_cast<std::uint64_t>(st.st_size) <= kMaxStateBytes;
    if (fits) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t at = 0;
        while (at < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + at, bytes.size() - at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
        bytes.resize(at);
    }
    ::close(fd);
    if (bytes.size() < kHeaderBytes ||
        bytes.compare(0, kMagic.size(), kMagic.data(), kMagic.size()) != 0)
        return std::nullopt;
    std::string boot = bytes.substr(kMagic.size(), kBootIdBytes);
    boot.resize(std::strlen(boot.c_str()));
    if (boot != bootId())
        return std::nullopt;
    const std::size_t words = kMagic.size() + kBootIdBytes;
    State state;
    state.shape = wordAt(bytes, words);
    const std::uint64_t size = wordAt(bytes, words + 8);
    const std::uint64_t sum = wordAt(bytes, words + 16);
    if (size != bytes.size() - kHeaderBytes)
        return std::nullopt;
    state.bytes = bytes.substr(kHeaderBytes);
    if (SharedWorld::hash(state.bytes) != sum)
        return std::nullopt;
    return state;
}

bool SharedWorld::writeState(const State& state) const {
    std::string file(kMagic.data(), kMagic.size());
    std::string boot = bootId();
    boot.resize(kBootIdBytes, '\0');
    file += boot;
    putWord(file, state.shape);
    putWord(file, state.bytes.size());
    putWord(file, SharedWorld::hash(state.bytes));
    file += state.bytes;

    // Only the lock holder writes, so one temporary name will do. The state lasts until
    // the machine restarts: no sync, a crash of the machine ends it anyway.
    std::filesystem::path temp = m_stateFile;
    temp += ".tmp";
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | kFileFlags, kPrivate);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, file);
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), m_stateFile.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

void SharedWorld::leave(const State& state) {
    if (!m_locked)
        return;
    if (state.bytes != m_fileBytes) {
        if (writeState(state)) {
            const std::uint64_t generation = m_generation.value_or(0) + 1;
            if (::pwrite(m_lockFd, &generation, sizeof generation, 0) ==
                static_cast<ssize_t>(sizeof generation))
                m_generation = generation;
            m_fileBytes = state.bytes;
        } else {
            warn(m_stateFile, "cannot be written");
        }
    }
    ::flock(m_lockFd, LOCK_UN);
    m_locked = false;
}

} // namespace kx::sim
