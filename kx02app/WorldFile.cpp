#include "kx02app/WorldFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <pthread.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::sim {

struct WorldFile::Header {
    struct Slot {
        std::uint64_t size;
        std::uint64_t shape; // of the writer's classes (StateArchive)
        std::uint64_t sum;
    };
    std::array<char, 8> magic;
    std::array<char, 40> boot;
    std::uint64_t layout;
    std::uint64_t capacity; // bytes of each slot
    std::uint64_t retired;
    std::uint64_t generation; // the latest state is in slot generation % 2
    std::uint64_t waiting;    // when a process waiting for the lock last tried (ns)
    std::array<Slot, 2> slots;
    pthread_mutex_t lock;
};

namespace {

constexpr std::array<char, 8> kMagic{'K', 'X', 'W', 'O', 'R', 'L', 'D', '2'};
constexpr std::size_t kHeaderBytes = 4096;
// A world of fifty adapters with busy registers stays far below the largest slot.
constexpr std::uint64_t kMinCapacity = 64 * 1024;
constexpr std::uint64_t kMaxCapacity = 32 * 1024 * 1024;
constexpr int kFileFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK; // a FIFO never blocks the open
constexpr mode_t kPrivate = 0600;

using Boot = std::array<char, 40>;

// Changes with every start of the machine; zeros where the system does not say.
const Boot& bootId() {
    static const Boot id = [] {
        std::ifstream in("/proc/sys/kernel/random/boot_id");
        std::string line;
        std::getline(in, line);
        Boot boot{};
        std::memcpy(boot.data(), line.data(), std::min(line.size(), boot.size()));
        return boot;
    }();
    return id;
}

// Four words at a time in four lanes: a state is checked at every publication.
std::uint64_t checksum(std::string_view bytes) {
    constexpr std::uint64_t kMultiplier = 0xBF58476D1CE4E5B9ull;
    std::array<std::uint64_t, 4> lanes{0x9E3779B97F4A7C15ull ^ bytes.size(), 1, 2, 3};
    const auto mix = [](std::uint64_t lane, std::uint64_t word) {
        lane = (lane ^ word) * kMultiplier;
        return lane ^ (lane >> 29);
    };
    std::size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        std::array<std::uint64_t, 4> words;
        std::memcpy(words.data(), bytes.data() + at, sizeof words);
        for (std::size_t i = 0; i < lanes.size(); ++i)
            lanes[i] = mix(lanes[i], words[i]);
    }
    for (; at < bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<std::size_t>(8, bytes.size() - at));
        lanes[0] = mix(lanes[0], word);
    }
    std::uint64_t sum = 0;
    for (const std::uint64_t lane : lanes)
        sum = mix(sum, lane);
    return sum;
}

std::uint64_t capacityFor(std::size_t bytes) {
    // Room to grow before a larger file is needed, in whole pages.
    const std::uint64_t wanted = std::max<std::uint64_t>(kMinCapacity, 2 * bytes);
    return (wanted + kHeaderBytes - 1) / kHeaderBytes * kHeaderBytes;
}

constexpr std::uint64_t kLayout =
    (std::uint64_t{2} << 32) | sizeof(WorldFile::Header); // the lock's size included
constexpr std::size_t kRetiredAt = offsetof(WorldFile::Header, retired);
static_assert(sizeof(WorldFile::Header) <= kHeaderBytes);
static_assert(kRetiredAt == 64, "old files are retired at a fixed place");

WorldFile::Problem inspect(int fd, std::size_t& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return WorldFile::Problem::Unreadable;
    if (!S_ISREG(st.st_mode))
        return WorldFile::Problem::NotRegular;
    if (st.st_uid != ::geteuid())
        return WorldFile::Problem::Foreign;
    WorldFile::Header h{};
    if (st.st_size < static_cast<off_t>(kHeaderBytes) ||
        ::pread(fd, &h, sizeof h, 0) != static_cast<ssize_t>(sizeof h) ||
        std::memcmp(h.magic.data(), kMagic.data(), kMagic.size() - 1) != 0)
        return WorldFile::Problem::Damaged;
    if (h.magic != kMagic || h.layout != kLayout)
        return WorldFile::Problem::OtherVersion;
    if (h.boot != bootId())
        return WorldFile::Problem::EarlierBoot;
    if (h.capacity < kMinCapacity || h.capacity > kMaxCapacity ||
        static_cast<std::uint64_t>(st.st_size) != kHeaderBytes + 2 * h.capacity)
        return WorldFile::Problem::Damaged;
    if (h.retired != 0)
        return WorldFile::Problem::Retired;
    size = static_cast<std::size_t>(st.st_size);
    return WorldFile::Problem::None;
}

// Tells the processes that map the file at `path` to look for the one that takes its name.
void retire(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | kFileFlags);
    if (fd < 0)
        return;
    struct stat st {};
    const std::uint64_t yes = 1;
    // One that cannot be marked is no file of ours, or one nobody maps.
    [[maybe_unused]] const bool marked =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        st.st_size >= static_cast<off_t>(kRetiredAt + sizeof yes) &&
        ::pwrite(fd, &yes, sizeof yes, kRetiredAt) == static_cast<ssize_t>(sizeof yes);
    ::close(fd);
}

// A waiter tries again within 5 ms (LockWait): one that has not for longer went away.
constexpr std::uint64_t kWaiterGone = 10'000'000;

std::uint64_t load(std::uint64_t& word) {
    return std::atomic_ref<std::uint64_t>(word).load(std::memory_order_acquire);
}

std::uint64_t monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000 +
           static_cast<std::uint64_t>(now.tv_nsec);
}

} // namespace

WorldFile::WorldFile(int fd, void* map, std::size_t size) : m_fd(fd), m_map(map), m_size(size) {}

WorldFile::~WorldFile() {
    ::munmap(m_map, m_size);
    ::close(m_fd);
}

WorldFile::Header& WorldFile::header() const {
    return *static_cast<Header*>(m_map);
}

std::size_t WorldFile::capacity() const {
    return (m_size - kHeaderBytes) / 2;
}

char* WorldFile::slot(std::uint64_t generation) const {
    return static_cast<char*>(m_map) + kHeaderBytes + (generation & 1) * capacity();
}

std::unique_ptr<WorldFile> WorldFile::open(const std::filesystem::path& path, Problem& problem) {
    const int fd = ::open(path.c_str(), O_RDWR | kFileFlags);
    if (fd < 0) {
        const int error = errno;
        problem = error == ENOENT                                       ? Problem::Missing
                  : error == ELOOP || error == EISDIR || error == ENXIO ? Problem::NotRegular
                                                                        : Problem::Unreadable;
        errno = error;
        return nullptr;
    }
    std::size_t size = 0;
    problem = inspect(fd, size);
    void* map = MAP_FAILED;
    if (problem == Problem::None) {
        map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (map == MAP_FAILED)
            problem = Problem::Unreadable;
    }
    if (map != MAP_FAILED)
        return std::unique_ptr<WorldFile>(new WorldFile(fd, map, size));
    const int error = errno;
    ::close(fd);
    errno = error;
    return nullptr;
}

std::unique_ptr<WorldFile> WorldFile::create(const std::filesystem::path& path, State first,
                                             std::uint64_t generation) {
    const std::uint64_t capacity = capacityFor(first.bytes.size());
    if (capacity > kMaxCapacity) {
        errno = EFBIG;
        return nullptr;
    }
    std::filesystem::path temp = path;
    temp += ".new";
    // Left by a process killed while it made one; only a holder of the world's file lock
    // makes one.
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | kFileFlags, kPrivate);
    if (fd < 0)
        return nullptr;
    const std::size_t size = kHeaderBytes + 2 * capacity;
    int error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    void* map = MAP_FAILED;
    if (error == 0) {
        map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        error = map == MAP_FAILED ? errno : 0;
    }
    std::unique_ptr<WorldFile> file;
    if (map != MAP_FAILED)
        file.reset(new WorldFile(fd, map, size));
    else
        ::close(fd);
    if (file) {
        Header& h = file->header();
        h.magic = kMagic;
        h.boot = bootId();
        h.layout = kLayout;
        h.capacity = capacity;
        pthread_mutexattr_t attributes;
        ::pthread_mutexattr_init(&attributes);
        ::pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
        ::pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
        error = ::pthread_mutex_init(&h.lock, &attributes);
        ::pthread_mutexattr_destroy(&attributes);
        if (!first.bytes.empty() && error == 0)
            file->write(generation, first);
    }
    if (error == 0) {
        retire(path);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        errno = error;
        return nullptr;
    }
    return file;
}

int WorldFile::tryLock(bool first) {
    std::atomic_ref<std::uint64_t> waiting(header().waiting);
    const std::uint64_t since = waiting.load(std::memory_order_relaxed);
    if (!first)
        waiting.store(monotonicNs(), std::memory_order_relaxed);
    else if (since != 0 && monotonicNs() - since < kWaiterGone)
        return EWOULDBLOCK;
    const int error = ::pthread_mutex_trylock(&header().lock);
    if (!first && error != EBUSY)
        waiting.store(0, std::memory_order_relaxed);
    // A holder that died only ever wrote the slot not in use: the latest state is whole.
    if (error == EOWNERDEAD)
        return ::pthread_mutex_consistent(&header().lock);
    return error == EBUSY ? EWOULDBLOCK : error;
}

void WorldFile::unlock() {
    ::pthread_mutex_unlock(&header().lock);
}

bool WorldFile::removed() const {
    struct stat st {};
    return ::fstat(m_fd, &st) == 0 && st.st_nlink == 0;
}

bool WorldFile::retired() const {
    return load(header().retired) != 0;
}

std::uint64_t WorldFile::generation() const {
    return load(header().generation);
}

std::optional<WorldFile::State> WorldFile::latest() const {
    const std::uint64_t generation = this->generation();
    const Header::Slot s = header().slots[generation & 1];
    if (s.size > capacity())
        return std::nullopt;
    const std::string_view bytes(slot(generation), s.size);
    if (checksum(bytes) != s.sum)
        return std::nullopt;
    return State{bytes, s.shape};
}

bool WorldFile::holds(std::string_view bytes) const {
    const std::uint64_t generation = this->generation();
    const Header::Slot& s = header().slots[generation & 1];
    return generation != 0 && s.size == bytes.size() &&
           (bytes.empty() || std::memcmp(slot(generation), bytes.data(), bytes.size()) == 0);
}

bool WorldFile::publish(State state) {
    if (state.bytes.size() > capacity())
        return false;
    write(generation() + 1, state);
    return true;
}

void WorldFile::write(std::uint64_t generation, State state) {
    Header& h = header();
    if (!state.bytes.empty())
        std::memcpy(slot(generation), state.bytes.data(), state.bytes.size());
    h.slots[generation & 1] = {state.bytes.size(), state.shape, checksum(state.bytes)};
    // Counted only once the slot is whole: a process killed before this line leaves the
    // latest state as it was.
    std::atomic_ref<std::uint64_t>(h.generation).store(generation, std::memory_order_release);
}

} // namespace kx::sim
