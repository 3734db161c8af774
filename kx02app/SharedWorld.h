#pragma once
// The world's live state, shared by every process of the user that uses the same state
// directory and the same scenario, as one driver serves every program that talks to
// its adapters: a join made by one program shows in the other.
//
// The state lives in "world-<scenario>.state" in the state directory, mapped into every
// process (WorldFile), with "world-<scenario>.lock" beside it. A process takes the
// world's lock around each call, takes over the state when another process published
// one since its last visit (finding out costs one read of the mapping), and publishes
// the state when the call changed it. Calls that change nothing, and the calls of a
// steady status tick, make no system call.
//
// The world lives as long as some process uses it, as a driver stays loaded while a
// program has it open: every user holds a shared lock on "world-<scenario>.users" for
// its lifetime (the system drops it when a process dies), and the first user of a
// world starts it afresh from the registry and the cards instead of taking over what
// an earlier run left behind.
//
// Waits for a lock another process holds are bounded and end at a signal (LockWait):
// the call then fails.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "kx02app/LockWait.h"
#include "kx02app/WorldFile.h"

namespace kx::sim {

class SharedWorld final {
public:
    using State = WorldFile::State;
    struct Entry {
        // False when the world's lock could not be had: the call fails.
        bool entered = true;
        // What another process published since this one last entered or left.
        std::optional<State> state;
    };

    SharedWorld();
    ~SharedWorld();
    SharedWorld(const SharedWorld&) = delete;
    SharedWorld& operator=(const SharedWorld&) = delete;

    // FNV-1a: a scenario's fingerprint.
    static std::uint64_t hash(std::string_view bytes);

    // The world of the scenario with this fingerprint. Without a usable state directory
    // the world stays this process's own, and enter() and leave() do nothing.
    void bind(std::uint64_t scenario);
    bool isShared() const { return m_lockFd >= 0; }

    // Takes the world's lock. The state it answers stays valid until leave().
    Entry enter();
    // Publishes the state unless `bytes` are the latest already, then releases the lock:
    // `state` gives it with its shape (which costs as much again) when it is published.
    void leave(std::string_view bytes, const std::function<State()>& state);
    // The next leave() publishes: this process starts the world anew.
    void replaceOnLeave() { m_replace = true; }
    // One line on stderr, once per process: the state found is not taken over.
    void noteReplaced(std::string_view why) const;

    std::filesystem::path stateFile() const { return m_stateFile; }

private:
    enum class Attach { Attached, Alone, Failed };
    // Opens the file, or makes one where there is none or only a damaged one (`replace`:
    // in any case).
    Attach attach(bool replace);
    // After a wait for a lock of `file` that did not take it: the call fails, or the
    // lock cannot work and the program goes on alone.
    Attach waited(const std::filesystem::path& file, LockWait::Result result);
    void joinUsers(const std::filesystem::path& usersFile);
    // Whether a person removed the file since it was last asked, at most once a second.
    bool removedLately();
    void stopSharing(const std::filesystem::path& file, const std::string& why);
    void close();

    std::filesystem::path m_stateFile;
    std::filesystem::path m_lockFile;
    int m_lockFd = -1;
    int m_usersFd = -1;
    bool m_firstUser = false; // until the file is first attached
    bool m_locked = false;
    bool m_replace = false;
    bool m_stuck = false; // the last wait for the world ran out or was interrupted
    std::chrono::steady_clock::time_point m_nextRemovedCheck;
    std::unique_ptr<WorldFile> m_file;
    // The publication this process's world is, as far as it knows; none before the first
    // visit of a file, so that one takes over whatever is there.
    std::optional<std::uint64_t> m_generation;
};

} // namespace kx::sim
