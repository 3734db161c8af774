#pragma once
// The world's live state, shared by every process of the user that uses the same state
// directory and the same scenario, as one driver serves every program that talks to
// its adapters: a join made by one program shows in the other.
//
// The state lives in "world-<scenario>.state" in the state directory (StateFile), with
// "world-<scenario>.lock" beside it. A process takes the lock around each call, takes
// over the state when another process wrote it since its last visit, and writes the
// state back when the call changed it: a new file renamed over the old, so a process
// killed at any moment leaves a whole state behind. The lock file holds the number of
// writes, so finding out whether anything changed costs one read.
//
// The world lives as long as some process uses it, as a driver stays loaded while a
// program has it open: every user holds a shared lock on "world-<scenario>.users" for
// its lifetime (the system drops it when a process dies), and the first user of a
// world starts it afresh from the registry and the cards instead of taking over what
// an earlier run left behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx::sim {

class SharedWorld final {
public:
    struct State {
        std::string bytes;
        std::uint64_t shape = 0; // of the writer's classes (StateArchive)
    };

    SharedWorld() = default;
    ~SharedWorld();
    SharedWorld(const SharedWorld&) = delete;
    SharedWorld& operator=(const SharedWorld&) = delete;

    // FNV-1a: a scenario's fingerprint, the state's checksum.
    static std::uint64_t hash(std::string_view bytes);

    // The world of the scenario with this fingerprint. Without a usable state directory
    // the world stays this process's own, and enter() and leave() do nothing.
    void bind(std::uint64_t scenario);
    bool isShared() const { return m_lockFd >= 0; }

    // Takes the lock; answers the state another process wrote since this one last
    // entered or left, if any.
    std::optional<State> enter();
    // Writes `state` unless the file holds it already, then releases the lock.
    void leave(const State& state);
    // The next leave() writes whatever the file holds: this process starts the world anew.
    void replaceOnLeave() { m_fileBytes.reset(); }

    std::filesystem::path stateFile() const { return m_stateFile; }

private:
    std::optional<std::uint64_t> readGeneration() const;
    std::optional<State> readState() const;
    bool writeState(const State& state) const;
    void close();

    bool joinUsers(const std::filesystem::path& usersFile);

    std::filesystem::path m_stateFile;
    int m_lockFd = -1;
    int m_usersFd = -1;
    bool m_firstUser = false; // until the first enter()
    bool m_locked = false;
    // Writes counted in the lock file as this process last saw them; none before the
    // first visit, so that one reads whatever is there.
    std::optional<std::uint64_t> m_generation;
    // What the state file holds as far as this process knows.
    std::optional<std::string> m_fileBytes;
};

} // namespace kx::sim
