#pragma once
// The file behind a shared world (SharedWorld), mapped into every process that uses it.
// Its first page holds the world's lock, a process-shared mutex that the system hands
// on when its holder dies, and the number of states published so far; two slots of
// state bytes follow. A process publishes by filling the slot not in use and then
// counting the publication, so one killed at any moment leaves the last whole state
// behind, and a call that changed nothing writes nothing. The blocks of the file are
// allocated when it is made: writing to the mapping never meets a full disk.
//
// A file is never shrunk or rewritten in place while others map it. A larger or a fresh
// one is made beside it and renamed over it, after the old one was marked retired, so
// that the processes mapping the old one turn to the new one at their next visit.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace kx::sim {

class WorldFile final {
public:
    // Why the file at a path cannot serve.
    enum class Problem {
        None,
        Missing,
        Retired,      // another file is about to take its name
        NotRegular,   // a FIFO, a device, a directory or a symbolic link
        Foreign,      // another user's
        Unreadable,   // errno says why
        Damaged,      // its size or header is not what this library writes
        OtherVersion, // written by another version of the library
        EarlierBoot,  // written before the machine last started
    };
    struct State {
        std::string_view bytes;
        std::uint64_t shape = 0;
    };
    // The first page: the lock, the count of publications and the slots' sizes.
    struct Header;

    // The file at `path`, mapped; null with the reason when it cannot serve.
    static std::unique_ptr<WorldFile> open(const std::filesystem::path& path, Problem& problem);
    // A new file in place of whatever `path` names, which is retired first. A nonempty
    // `first` is its publication `generation`; otherwise nothing is published yet.
    // Null with errno set when it cannot be made.
    static std::unique_ptr<WorldFile> create(const std::filesystem::path& path, State first,
                                             std::uint64_t generation);
    ~WorldFile();
    WorldFile(const WorldFile&) = delete;
    WorldFile& operator=(const WorldFile&) = delete;

    // One try for the world's lock: 0 when taken, EWOULDBLOCK while another process
    // holds it, another errno value when the lock itself is damaged. A holder that died
    // leaves the last whole state: the lock is taken over. A first try leaves the lock
    // to a process that is waiting for it, so that one calling without a pause cannot
    // keep it from the others; later tries say that this one waits.
    int tryLock(bool first);
    void unlock();

    bool retired() const;
    // Whether its name was removed (one system call: asked only after a publication).
    bool removed() const;
    // States published so far; 0 while none was.
    std::uint64_t generation() const;
    // The latest state; none when its bytes do not match their checksum.
    std::optional<State> latest() const;
    bool holds(std::string_view bytes) const;
    // False when the state does not fit: a larger file must take the name.
    bool publish(State state);

private:
    WorldFile(int fd, void* map, std::size_t size);
    Header& header() const;
    std::size_t capacity() const;
    // The slot that publication `generation` fills.
    char* slot(std::uint64_t generation) const;
    void write(std::uint64_t generation, State state);

    int m_fd;
    void* m_map;
    std::size_t m_size;
};

} // namespace kx::sim
