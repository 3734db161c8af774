#include "kx02app/StateFile.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "driver/HexText.h"
#include "platform/AtomicFile.h"

namespace kx::sim {

namespace {

std::filesystem::path fromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path();
}

} // namespace

std::filesystem::path StateFile::directory() {
    if (std::filesystem::path dir = fromEnv("KX02APP_STATE_DIR"); !dir.empty())
        return dir;
    if (std::filesystem::path state = fromEnv("XDG_STATE_HOME"); !state.empty())
        return state / "kx02app";
    if (std::filesystem::path home = fromEnv("HOME"); !home.empty())
        return home / ".local" / "state" / "kx02app";
    return {};
}

std::filesystem::path StateFile::path(std::string_view kind, std::string_view instance,
                                      std::string_view extension) {
    const std::filesystem::path dir = directory();
    if (dir.empty())
        return {};
    // The instance comes from a scenario file: keep the name to safe characters.
    std::string name(kind);
    name += '-';
    for (unsigned char c : instance) {
        if (std::isalnum(c))
            name += static_cast<char>(c);
        else
            name += "%" + HexText::fromBytes(&c, 1);
    }
    return dir / (name + std::string(extension));
}

std::optional<std::string> StateFile::read(const std::filesystem::path& path, std::size_t limit) {
    if (path.empty())
        return std::nullopt;
    // Without blocking: a FIFO or a device under the name is refused, never waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= limit) {
        // One byte past the limit: a file that grew since the check is refused too.
        std::string read(limit + 1, '\0');
        std::size_t at = 0;
        bool failed = false;
        while (at < read.size() && !failed) {
            const ssize_t n = ::read(fd, read.data() + at, read.size() - at);
            if (n == 0)
                break;
            if (n > 0)
                at += static_cast<std::size_t>(n);
            else
                failed = errno != EINTR;
        }
        if (!failed && at <= limit) {
            read.resize(at);
            bytes = std::move(read);
        }
    }
    ::close(fd);
    return bytes;
}

bool StateFile::write(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::string reason;
    return AtomicFile::replace(path, bytes, 0600, reason) == 0;
}

} // namespace kx::sim
