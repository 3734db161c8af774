#include "kx02app/SharedWorld.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "kx02app/LockWait.h"
#include "kx02app/StateFile.h"
#include "platform/ProcessNotice.h"

namespace kx::sim {

namespace {

constexpr int kFileFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK; // a FIFO never blocks the open
constexpr mode_t kPrivate = 0600;
// Each holder keeps the world's locks for one driver call. Longer means a program stuck
// or stopped while it held them: calls fail until it lets go, after the first one
// waited this long without the shorter waits that follow keeping the program stuck too.
constexpr std::chrono::milliseconds kWait(2000);
constexpr std::chrono::milliseconds kStuckWait(100);
constexpr std::chrono::seconds kRemovedCheckPause(1);
// Files replaced under a process this often in a row: something else is at work.
constexpr int kAttachTries = 4;

std::string reasonFor(WorldFile::Problem problem) {
    switch (problem) {
    case WorldFile::Problem::NotRegular:
        return "is not a regular file";
    case WorldFile::Problem::Foreign:
        return "is no file of this user";
    case WorldFile::Problem::Damaged:
        return "is damaged";
    case WorldFile::Problem::OtherVersion:
        return "was written by another version of the library";
    case WorldFile::Problem::EarlierBoot:
        return "was written before the machine last started";
    default:
        return std::strerror(errno);
    }
}

int tryFlock(int fd, int operation) {
    return ::flock(fd, operation | LOCK_NB) == 0 ? 0 : errno;
}

// Opened without blocking, and used only when a regular file of this user: another
// user's file would hand that user our adapters.
std::string openOwn(const std::filesystem::path& file, int& fd) {
    fd = ::open(file.c_str(), O_RDWR | O_CREAT | kFileFlags, kPrivate);
    if (fd < 0)
        return std::strerror(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::strerror(errno);
    if (!S_ISREG(st.st_mode))
        return reasonFor(WorldFile::Problem::NotRegular);
    return st.st_uid == ::geteuid() ? std::string() : reasonFor(WorldFile::Problem::Foreign);
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

SharedWorld::SharedWorld() = default;

SharedWorld::~SharedWorld() {
    close();
}

void SharedWorld::close() {
    m_file.reset();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (m_usersFd >= 0)
        ::close(m_usersFd);
    m_lockFd = -1;
    m_usersFd = -1;
    m_firstUser = false;
    m_locked = false;
    m_replace = false;
    m_generation.reset();
}

void SharedWorld::stopSharing(const std::filesystem::path& file, const std::string& why) {
    ProcessNotice::once("kx02app world " + file.string() + ' ' + why,
                        "kx02app: " + file.string() + ": " + why +
                            "; the simulated adapters are not shared with other programs");
    close();
}

void SharedWorld::noteReplaced(std::string_view why) const {
    ProcessNotice::once("kx02app world replaced " + m_stateFile.string(),
                        "kx02app: " + m_stateFile.string() + ' ' + std::string(why) +
                            "; it is replaced by this program's state of the adapters");
}

SharedWorld::Attach SharedWorld::waited(const std::filesystem::path& file,
                                        LockWait::Result result) {
    if (result == LockWait::Result::Failed) {
        stopSharing(file, std::strerror(errno));
        return Attach::Alone;
    }
    // Later waits are short until the lock is had again: a program with a signal to see
    // to, or one whose calls keep failing, is not kept waiting call after call.
    m_stuck = true;
    if (result == LockWait::Result::TimedOut) {
        ProcessNotice::once("kx02app world stuck " + file.string(),
                            "kx02app: " + file.string() +
                                ": held by another program; the simulated adapters do not "
                                "answer until it lets go");
    }
    return Attach::Failed;
}

void SharedWorld::bind(std::uint64_t scenario) {
    close();
    char name[32];
    std::snprintf(name, sizeof name, "world-%016llx", static_cast<unsigned long long>(scenario));
    const std::filesystem::path dir = StateFile::directory();
    if (dir.empty())
        return;
    m_stateFile = dir / (std::string(name) + ".state");
    m_lockFile = dir / (std::string(name) + ".lock");
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (const std::string problem = openOwn(m_lockFile, m_lockFd); !problem.empty()) {
        stopSharing(m_lockFile, problem);
        return;
    }
    joinUsers(dir / (std::string(name) + ".users"));
}

void SharedWorld::joinUsers(const std::filesystem::path& usersFile) {
    if (const std::string problem = openOwn(usersFile, m_usersFd); !problem.empty()) {
        stopSharing(usersFile, problem);
        return;
    }
    // Nobody else holding it: no process uses this world any more.
    m_firstUser = tryFlock(m_usersFd, LOCK_EX) == 0;
    const auto joined = LockWait::until([this] { return tryFlock(m_usersFd, LOCK_SH); }, kWait);
    if (joined == LockWait::Result::Interrupted)
        close();
    else if (joined != LockWait::Result::Taken)
        stopSharing(usersFile, joined == LockWait::Result::TimedOut ? "held by another program"
                                                                    : std::strerror(errno));
}

SharedWorld::Attach SharedWorld::attach(bool replace) {
    m_file.reset();
    // One process at a time opens or replaces the file, so that none maps one that is
    // being retired.
    const auto locked = LockWait::until([this] { return tryFlock(m_lockFd, LOCK_EX); },
                                        m_stuck ? kStuckWait : kWait);
    if (locked != LockWait::Result::Taken)
        return waited(m_lockFile, locked);
    WorldFile::Problem problem = WorldFile::Problem::None;
    m_file = WorldFile::open(m_stateFile, problem);
    // The first user starts afresh: what an earlier run left is no adapter anybody drives.
    if (replace || m_firstUser) {
        m_file.reset();
        if (problem != WorldFile::Problem::NotRegular && problem != WorldFile::Problem::Foreign &&
            problem != WorldFile::Problem::Unreadable)
            problem = WorldFile::Problem::Missing;
    }
    m_firstUser = false;
    switch (problem) {
    case WorldFile::Problem::None:
        m_generation.reset();
        break;
    case WorldFile::Problem::NotRegular:
    case WorldFile::Problem::Foreign:
    case WorldFile::Problem::Unreadable:
        // Not ours to remove: whoever put it there is told, and this program goes alone.
        stopSharing(m_stateFile, reasonFor(problem));
        return Attach::Alone;
    case WorldFile::Problem::Damaged:
    case WorldFile::Problem::OtherVersion:
    case WorldFile::Problem::EarlierBoot:
        noteReplaced(reasonFor(problem));
        [[fallthrough]];
    case WorldFile::Problem::Missing:
    case WorldFile::Problem::Retired:
        m_file = WorldFile::create(m_stateFile, {}, 0);
        if (!m_file) {
            stopSharing(m_stateFile, "cannot be made: " + std::string(std::strerror(errno)));
            return Attach::Alone;
        }
        // Nothing to take over: this program's world is the one to publish.
        m_generation = 0;
        m_replace = true;
        break;
    }
    ::flock(m_lockFd, LOCK_UN);
    return Attach::Attached;
}

SharedWorld::Entry SharedWorld::enter() {
    bool damaged = false;
    for (int tries = 0; isShared(); ++tries) {
        if (tries == kAttachTries)
            return {false, {}};
        // A file retired since the last visit: the world went on in the one that took its
        // name.
        if (!m_file || m_file->retired()) {
            const Attach attached = attach(damaged);
            if (attached != Attach::Attached)
                return {attached == Attach::Alone, {}};
        }
        const auto locked = LockWait::until(
            [this, first = true]() mutable { return m_file->tryLock(std::exchange(first, false)); },
            m_stuck ? kStuckWait : kWait);
        if (locked == LockWait::Result::Failed) {
            // The lock itself is damaged: nobody can use this file any more.
            noteReplaced(reasonFor(WorldFile::Problem::Damaged));
            damaged = true;
            m_file.reset();
            continue;
        }
        if (locked != LockWait::Result::Taken)
            return {waited(m_stateFile, locked) == Attach::Alone, {}};
        m_stuck = false;
        if (!m_file->retired())
            break;
        m_file->unlock();
    }
    if (!isShared())
        return {};
    m_locked = true;
    const std::uint64_t generation = m_file->generation();
    if (generation == m_generation)
        return {};
    m_generation = generation;
    if (generation == 0)
        return {}; // nothing published yet
    std::optional<State> state = m_file->latest();
    if (!state) {
        noteReplaced(reasonFor(WorldFile::Problem::Damaged));
        m_replace = true;
    }
    return {true, state};
}

void SharedWorld::leave(std::string_view bytes, const std::function<State()>& shaped) {
    if (!m_locked)
        return;
    m_locked = false;
    if (!m_replace && m_file->holds(bytes)) {
        m_file->unlock();
        return;
    }
    const State state = shaped();
    if (m_file->publish(state) && !removedLately()) {
        m_generation = m_file->generation();
        m_replace = false;
        m_file->unlock();
        return;
    }
    // The state outgrew the slots, or a person removed the file: a new file takes the
    // name, holding the state as the next publication.
    std::string problem = "its lock is held by another program";
    std::unique_ptr<WorldFile> moved;
    if (LockWait::until([this] { return tryFlock(m_lockFd, LOCK_EX); }, kWait) ==
        LockWait::Result::Taken) {
        moved = WorldFile::create(m_stateFile, state, m_file->generation() + 1);
        problem = std::strerror(errno);
        ::flock(m_lockFd, LOCK_UN);
    }
    m_file->unlock();
    if (!moved) {
        stopSharing(m_stateFile, "cannot be written: " + problem);
        return;
    }
    m_file = std::move(moved);
    m_generation = m_file->generation();
    m_replace = false;
}

bool SharedWorld::removedLately() {
    // Asked seldom: it costs a system call.
    const auto now = std::chrono::steady_clock::now();
    if (now < m_nextRemovedCheck)
        return false;
    m_nextRemovedCheck = now + kRemovedCheckPause;
    return m_file->removed();
}

} // namespace kx::sim
